// The chart's dialogs take their templates from the chart's own bundle, installed on demand.
#pragma once

namespace kq::chart {

// Installs the chart's dialog templates unless template 5000 is reachable already.
void EnsureDialogResources();

}  // namespace kq::chart
