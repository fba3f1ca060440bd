// The window's side of a calculation run: the field store over the text boxes, the modal
// message box, and the program's end.
#pragma once

#include <string>
#include <string_view>

#include "calc/fields.h"

class QWidget;

namespace window {

class frmWarp;

/// The eight text boxes of `form` as the field store of a run. Texts cross as UTF-8.
class WindowFields : public calc::FieldStore {
  public:
    explicit WindowFields(const frmWarp& form) : form_(form) {}
    [[nodiscard]] std::string text(std::string_view name) const override;
    /// Shows the beginning of a text too long for its box.
    void setText(std::string_view name, const std::string& text) override;

  private:
    const frmWarp& form_;
};

/// Shows `text` in a modal box with a single OK button and no icon, captioned with the
/// program's title, and returns once the user has acknowledged it (Enter, Space, Escape or a
/// click). The window under it takes no input meanwhile.
void rtcMsgBox(QWidget* owner, const std::string& text);

/// rtcMsgBox as the message operation of a run.
class MsgBoxSink : public calc::MessageSink {
  public:
    explicit MsgBoxSink(QWidget* owner) : owner_(owner) {}
    void show(const std::string& text) override { rtcMsgBox(owner_, text); }

  private:
    QWidget* owner_;
};

/// Ends the program: the event loop stops and main returns. Nothing is saved or asked.
void vbaEnd();

}  // namespace window
