#pragma once

#include <QString>

// One row of a CV table: the CV-group table (mark, CV, value, remark) and the protocol
// table (action, CV, value, empty) share it, and so do the CV command-list files.
struct CvRow {
    QString action;  // "S" write, "L" read, or blank
    QString cv;
    QString value;
    QString remark;

    bool operator==(const CvRow&) const = default;
};
