#pragma once
// The day's close (日計) as rows of a caption and its figure: what the window lists and
// what the printed sheet holds, from one place so that the two never differ.
#include "sales/sales_queries.h"

#include <QString>
#include <vector>

namespace kavro {

struct CloseRow {
    QString caption;
    QString figure;
    bool heading = false; // a section title, without a figure
};

std::vector<CloseRow> dayCloseRows(const DayClose& close);

} // namespace kavro
