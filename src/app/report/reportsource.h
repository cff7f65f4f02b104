// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/report/reportbuilder.h"

// What the report window asks of the screen that opened it: its Tag (REPORT_TAG_ICON,
// REPORT_TAG_TEXT or REPORT_TAG_ROUTE) and the listing of the program it holds now. The icon,
// text and route screens each provide it; the main menu hands the caller to the report window.
class ReportSource
{
public:
    virtual ~ReportSource() = default;
    virtual int reportTag() const = 0;
    // Fills the listing part of input: iconSlots, route or programLines, by the Tag.
    virtual void fillReportListing(ReportInput *input) const = 0;
};
