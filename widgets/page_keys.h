#pragma once
// Keys of the controls that show a key hint, and the one default button of a
// sheet. A hinted key does what a click on its control does, under the same
// conditions: the control is shown and enabled, and no operation runs.
#include <QString>
#include <functional>
#include <string_view>

class QAbstractButton;
class QDialog;
class QPushButton;
class QShortcut;
class QWidget;

namespace widgets {

// Binds the key of `hint` ("[O][C]-U": Ctrl+Alt+U) in the window of `page` to
// `action`, which runs only while `target` is shown and enabled
// on the page and `allowed` (when given) answers true. The shortcut's
// objectName is "key " and its portable key text.
QShortcut* bind_hinted_key(QWidget* page, std::string_view hint, QWidget* target, std::function<void()> action,
                           std::function<bool()> allowed = {});
// The same with a click of `target` as the action.
QShortcut* bind_hinted_key(QWidget* page, std::string_view hint, QAbstractButton* target,
                           std::function<bool()> allowed = {});

// Return in `sheet` presses `default_button`, whichever control has focus:
// no other push button of the sheet becomes its default when it takes focus.
// Call it again after the sheet gains buttons.
void keep_default_button(QDialog* sheet, QPushButton* default_button);

}  // namespace widgets
