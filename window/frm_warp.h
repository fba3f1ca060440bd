// frmWarp, the calculator window: builds its controls from the layout table (layout.h) and
// draws the starfield behind them. It does no calculation; the buttons' clicks are handled
// elsewhere.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <string_view>

class QLineEdit;
class QPaintEvent;
class QPushButton;

namespace window {

class frmWarp : public QWidget {
    Q_OBJECT

public:
    /// The window with every control in place, every text box empty and the focus (once
    /// shown) in txtWarp. Fixed size, placed by the system.
    explicit frmWarp(QWidget* parent = nullptr);

    /// The text box called `controlName` ("txtWarp", ...), or nullptr for any other name.
    [[nodiscard]] QLineEdit* field(std::string_view controlName) const;

    /// The two command buttons.
    [[nodiscard]] QPushButton* cmdRechnen() const { return cmdRechnen_; }
    [[nodiscard]] QPushButton* cmdEnde() const { return cmdEnde_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap starfield_;
    QPushButton* cmdRechnen_ = nullptr;
    QPushButton* cmdEnde_ = nullptr;
};

}  // namespace window
