#include "views/beamstats/BeamTableModel.h"

#include <algorithm>

#include "views/beamstats/StateIcons.h"

namespace velor {

BeamTableModel::BeamTableModel(const BeamStatistics& statistics, QObject* parent)
    : QAbstractTableModel(parent), m_statistics(statistics), m_columns(statistics.ShownColumns()) {
    SetIconSize(16);
}

void BeamTableModel::Reload() {
    beginResetModel();
    m_columns = m_statistics.ShownColumns();
    endResetModel();
}

void BeamTableModel::Refresh() {
    if (rowCount() == 0) return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole, Qt::DecorationRole});
}

void BeamTableModel::SetIconSize(int size) {
    for (int state = 0; state < static_cast<int>(m_icons.size()); ++state) m_icons[state] = StateIcon(state, size);
    Refresh();
}

int BeamTableModel::PositionOf(int kind) const {
    const auto it = std::find(m_columns.begin(), m_columns.end(), kind);
    return it == m_columns.end() ? -1 : static_cast<int>(it - m_columns.begin());
}

int BeamTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_statistics.Cells().size());
}

int BeamTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant BeamTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const BeamCells& cells = m_statistics.Cells()[static_cast<size_t>(index.row())];
    const int kind = ColumnKind(index.column());
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: return cells.text[kind];
        case Qt::DecorationRole:
            return kind == kColParameter ? QVariant(m_icons[static_cast<size_t>(cells.state) % m_icons.size()])
                                         : QVariant();
        default: return {};
    }
}

QVariant BeamTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount()) return {};
    return BeamStatistics::Heading(ColumnKind(section));
}

}  // namespace velor
