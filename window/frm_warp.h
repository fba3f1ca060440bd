// frmWarp, the calculator window: builds its controls from the layout table (layout.h), draws
// the starfield behind them, and handles its three events. It does no calculation itself: a
// click on cmdRechnen hands the text boxes to calc::Rechnen.
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

    // The window's event procedures; no other event of any control is handled.
    /// The window has been made: nothing to do, every text box starts empty.
    void Form_Load() {}
    /// One calculation run on the text boxes, in the user's current regional format. Reached by
    /// a click, Alt+B, and Enter in any text box.
    void cmdRechnen_Click();
    /// Ends the program at once. Reached by a click and Alt+E.
    void cmdEnde_Click();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap starfield_;
    QPushButton* cmdRechnen_ = nullptr;
    QPushButton* cmdEnde_ = nullptr;
};

}  // namespace window
