// Arbitrary stored values through the measurement pages' loaders and the evaluation: a record
// blob of any length, texts for every stored value of the measure configuration, limit and
// measurand texts. Nothing crashes, and every value loaded stays in its range.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "pages/measurement/CValidation_IO_NIO.h"
#include "pages/measurement/DocumentationRecord.h"
#include "pages/measurement/MeasureConfigValues.h"
#include "pages/measurement/PathFieldFilter.h"
#include "platform/base/Registry.h"
#include "platform/framework/WinApp.h"

namespace {

const char* const kEntries[] = {
    "IndexOfLimitedMeasurand_1", "IndexOfLimitedMeasurand_2", "IOLowerLimitOfMeasurand_1",
    "IOUpperLimitOfMeasurand_1", "IoNioEvaluationMode",       "TriggerStartCondition",
    "TriggerStopCondition",      "TriggerStartDirection",     "TriggerStartLevel",
    "TriggerStartHysteresis",    "TriggerStopCount",          "TriggerStartDateTime",
    "DiagramSource_0",           "DiagramSwitch_3",           "PartOfMeasureStartAddProg"};

// A store of this run's own, so that runs side by side do not write into each other's; removed
// when the run ends.
struct PrivateStore {
    std::string folder;
    std::string file;
    PrivateStore() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kq7b-fuzz-pages-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        folder = pattern;
        file = folder + "/registry.reg";
    }
    ~PrivateStore() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

void Check(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DocumentationRecord record;
    if (DocumentationRecord::FromBytes(data, size, 0, record))
        Check(size == DocumentationRecord::kSize);
    Check(record.IsInRange());

    const std::string input(reinterpret_cast<const char*>(data), size);
    CString text(input);
    CString prefix(input);
    FilterDirectoryText(text);
    FilterPrefixText(prefix);
    for (char c : text.Str())
        Check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
    Check(prefix.Find('/') < 0);

    static const PrivateStore store;
    kq::SetRegistryFilePath(store.file);
    static CWinApp app("FuzzPages");
    static const bool keyed = (app.SetRegistryKey("Fuzz"), true);
    (void)keyed;
    // The input cut into one text per stored value.
    size_t start = 0;
    for (const char* entry : kEntries) {
        const size_t end = input.find('\n', start);
        const std::string piece =
            input.substr(start, end == std::string::npos ? std::string::npos : end - start);
        app.WriteProfileString("DespiteReset", entry, CString(piece));
        start = end == std::string::npos ? input.size() : end + 1;
    }
    MeasureConfigValues values;
    values.Load(&app);
    Check(values.ioNioMode >= 0 && values.ioNioMode <= 2);
    Check(values.startCode >= 0 && values.startCode <= MeasureConfigValues::kMaxStartCode);
    Check(values.stopCode >= 0 && values.stopCode <= MeasureConfigValues::kMaxStopCode);
    Check(values.startHysteresis >= 0 && values.stopCount >= 0);
    for (int c = 0; c < 2; ++c)
        Check(values.measurand[c] >= -1 && values.measurand[c] <= 5);
    for (int r = 0; r < MeasureConfigValues::kDiagramRows; ++r)
        Check(values.diagramSource[r] >= 0 && values.diagramSource[r] <= 7);

    const double maxima[6] = {1, 2, 3, 4, 5, CValidation_IO_NIO::kNoValue};
    CValidation_IO_NIO judgement;
    judgement.Evaluate(values.ioNioMode, values.measurand, values.limits, maxima);
    for (int c = 0; c < 2; ++c)
        Check(judgement.m_aucResult[c] <= 1 && judgement.m_aiMeasurand[c] >= -1 &&
              judgement.m_aiMeasurand[c] <= 5);
    if (judgement.m_bPassed)
        Check(values.ioNioMode > 0);
    return 0;
}
