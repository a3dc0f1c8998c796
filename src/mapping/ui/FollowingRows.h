#pragma once

#include "mapping/ui/EditorHooks.h"

#include <QString>
#include <utility>

class MappingGrid;

// Two grids whose first rows belong together (outputs in a tick grid and their settings in
// another): moving to a row in either makes it the current row of the other too, and the
// follower highlights its whole current row while the lead stands on a row it has; on a
// row it lacks, the follower shows no highlight.
class FollowingRows : public EditorHooks {
public:
    FollowingRows(QString lead, QString follower) : m_lead(std::move(lead)), m_follower(std::move(follower)) {}

    void build(MappingEditor& editor) override;
    void currentCellMoved(MappingEditor& editor, int grid, int row, int col) override;

private:
    QString m_lead;
    QString m_follower;
};
