// The chart's templates come with the chart library: a program that never installed them (or a
// test that uninstalled them) gets them back before the first chart dialog is made.
#include "chart/dialogs/DialogResources.h"

#include "chart/dialogs/ChartDialogIds.h"
#include "kq_chart_res.h"
#include "platform/base/Resource.h"

namespace kq::chart {

void EnsureDialogResources() {
    if (kq::FindDialogTemplate(kq::ResourceName(IDD_XG_PROPERTIES)) == nullptr)
        kq::InstallResources(DialogResources());
}

}  // namespace kq::chart
