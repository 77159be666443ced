// The serial digital video generators: the Sormet (SD) and the Ulmeth (HD) share their command
// set; what differs between them is listed per model here.
#include "models/Formats.h"
#include "models/Models.h"

namespace quarnsim::models {
namespace {

struct SerialVideoModel {
    // Outputs whose STANdard is described, and the formats they take; none where the model's
    // outputs are not described yet.
    int outputs = 0;
    const std::vector<std::string>* formats = nullptr;
    const char* defaultFormat = "";
};

void RegisterSerialVideo(ModelTable& table, const SerialVideoModel& model) {
    if (model.outputs > 0) {
        table.Add(KeywordParameter("OUTPut#{1-" + std::to_string(model.outputs) + "}:STANdard",
                                   *model.formats, model.defaultFormat));
    }
}

}  // namespace

void RegisterSormet(ModelTable& table) {
    RegisterSerialVideo(table, {});
}

void RegisterUlmeth(ModelTable& table) {
    // Output 1 carries the test signal, output 2 the black option.
    RegisterSerialVideo(table, {2, &VideoHdFormats(), "HD1080_59I"});
}

}  // namespace quarnsim::models
