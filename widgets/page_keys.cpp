#include "widgets/page_keys.h"

#include <QAbstractButton>
#include <QDialog>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <string>

#include "session/key_hints.h"

namespace widgets {

QShortcut* bind_hinted_key(QWidget* page, std::string_view hint, QWidget* target, std::function<void()> action,
                           std::function<bool()> allowed) {
  const QString sequence = QString::fromStdString(session::key_sequence_of_hint(hint));
  auto* shortcut = new QShortcut(QKeySequence(sequence), page);
  shortcut->setObjectName("key " + sequence);
  // a key of the window, wherever the focus is; a hidden page's keys are off
  QObject::connect(shortcut, &QShortcut::activated, page,
                   [page, target, action = std::move(action), allowed = std::move(allowed)] {
                     if (!target->isEnabled() || !target->isVisibleTo(page) || !page->isVisible()) return;
                     if (allowed && !allowed()) return;
                     action();
                   });
  return shortcut;
}

QShortcut* bind_hinted_key(QWidget* page, std::string_view hint, QAbstractButton* target,
                           std::function<bool()> allowed) {
  return bind_hinted_key(page, hint, target, [target] { target->click(); }, std::move(allowed));
}

void keep_default_button(QDialog* sheet, QPushButton* default_button) {
  for (QPushButton* button : sheet->findChildren<QPushButton*>()) {
    if (button != default_button) button->setAutoDefault(false);
  }
  default_button->setAutoDefault(true);
  default_button->setDefault(true);
}

}  // namespace widgets
