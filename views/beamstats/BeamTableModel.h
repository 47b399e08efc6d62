#pragma once
// The table as the list shows it: one row per parameter, the shown columns, the state icon in
// the first column and every cell's text as its tip. No sorting: the rows keep their order.

#include <QAbstractTableModel>
#include <QIcon>
#include <array>
#include <vector>

#include "views/beamstats/BeamStatistics.h"

namespace velor {

class BeamTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit BeamTableModel(const BeamStatistics& statistics, QObject* parent = nullptr);

    // After the rows or columns changed.
    void Reload();
    // After the cells changed.
    void Refresh();
    void SetIconSize(int size);
    // The column kind shown at a position.
    int ColumnKind(int position) const { return m_columns[static_cast<size_t>(position)]; }
    int PositionOf(int kind) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const BeamStatistics& m_statistics;
    std::vector<int> m_columns;
    std::array<QIcon, 4> m_icons;
};

}  // namespace velor
