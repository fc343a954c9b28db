// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the parts of a report design by name and kind.
#include "report/reportdefinition.h"

namespace {

// Shared by the const and the non-const lookup.
template <typename Definition> auto findElement(Definition &definition, const QString &name)
{
    decltype(&definition.bands.front().elements.front()) found = nullptr;
    for (auto &band : definition.bands) {
        for (auto &element : band.elements) {
            if (element.name == name)
                return &element;
        }
    }
    return found;
}

} // namespace

ReportElement *ReportDefinition::element(const QString &name)
{
    return findElement(*this, name);
}

const ReportElement *ReportDefinition::element(const QString &name) const
{
    return findElement(*this, name);
}

const ReportBand *ReportDefinition::band(ReportBand::Kind kind) const
{
    for (const ReportBand &candidate : bands) {
        if (candidate.kind == kind)
            return &candidate;
    }
    return nullptr;
}
