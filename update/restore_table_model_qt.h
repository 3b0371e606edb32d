#pragma once
// The restore table's model: one column, as many rows as the table counts for
// the selected product and the backup. The texts are shown by the page's
// RestoreTableCellView cells; the model also answers them under its own roles
// (empty for a counted row the product does not define).
#include <QAbstractTableModel>
#include <functional>

#include "update/restore_table.h"

namespace update {

class RestoreTableModel : public QAbstractTableModel {
 public:
  enum Role { NameRole = Qt::UserRole + 1, ValueRole };

  // `context` gives the selected product, the backup, the FM flag and the
  // language at the moment the table asks.
  explicit RestoreTableModel(std::function<RestoreTableContext()> context, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // Every row is asked again: the backup, the product or the language changed.
  void reload();

 private:
  std::function<RestoreTableContext()> m_context;
};

}  // namespace update
