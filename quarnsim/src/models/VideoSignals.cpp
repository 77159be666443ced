#include "models/VideoSignals.h"

#include <algorithm>
#include <cctype>

#include "models/Formats.h"
#include "quarnsim/Catalog.h"
#include "quarnsim/ErrorQueue.h"
#include "quarnsim/FileSystem.h"
#include "quarnsim/HeaderTree.h"
#include "quarnsim/VideoFiles.h"

namespace quarnsim::models {
namespace {

constexpr const char* kActiveSignal = "MMEMory:SIGNal:ACTive";
constexpr const char* kLogo = "OUTPut#{1}:LOGO:SELect";
constexpr const char* kLogoSetting = "OUTP1:LOGO:SEL";
// The set whose first signal is active on a fresh module.
constexpr const char* kFirstSet = "Colour Bars";

// Every format gets the sets a reader passes over beside those it lists, and names that show
// each escape; picture paths stay longer than the shortest reply a reader takes for one.
VideoFileTree DemoTree(const VideoSignalRules& rules) {
    VideoFileTree tree;
    for (const VideoFormatFolder& format : rules.formats) {
        tree.formats.push_back(
            {format.folder,
             {{"APL", {"APL 50%.cmp"}},
              {"BARS", {"Bars Full Field.cmp"}},
              {kFirstSet, {"Bars 100-0-100-0.cmp", "Bars 75-0-75-0.cmp"}},
              {"Linearity", {"Ramp Y.cmp", "Staircase 10 Step.cmp"}},
              {"Pulse and Bar", {"2T Pulse.cmp", "Multiburst 0.5-5.8 MHz.cmp"}}}});
    }
    tree.pictures = {{"Test Cards", {"Circle Pattern 16:9.pic", "Zone Plate Circular.pic"}},
                     {"Landscapes", {"Harbour at Dusk.pic"}}};
    tree.logos = {"Channel-5 News.lgo", "Station Bug.lgo"};
    return tree;
}

bool EndsWithIgnoringCase(const std::string& name, std::string_view suffix) {
    if (name.size() <= suffix.size())
        return false;
    for (size_t i = 0; i < suffix.size(); ++i) {
        char c = name[name.size() - suffix.size() + i];
        if (std::tolower(static_cast<unsigned char>(c)) != suffix[i])
            return false;
    }
    return true;
}

// A name as the catalogue lists it, so replies match the listing a client read.
std::string Listed(const std::string& name, bool literal = false) {
    std::string escaped;
    if (literal && name.find('`') == std::string::npos)
        return name;
    return Catalog::EscapeName(name, &escaped) ? escaped : std::string();
}

// "/<a>/<b>/<c>" with the names as listed -> the three names as on the drive.
bool SplitPath(const std::string& text, std::vector<std::string>* names) {
    if (text.empty() || text.front() != '/')
        return false;
    names->clear();
    size_t start = 1;
    while (start <= text.size()) {
        size_t slash = std::min(text.find('/', start), text.size());
        std::string plain;
        if (!Catalog::UnescapePath(text.substr(start, slash - start), &plain) || plain.empty() ||
            plain == "." || plain == "..") {
            return false;
        }
        names->push_back(plain);
        start = slash + 1;
    }
    return names->size() == 3;
}

bool IsFile(const ModuleState& module, const std::string& path) {
    return module.Files().Exists(path) && !module.Files().IsFolder(path);
}

int LoadSignal(CommandContext& context, ModuleState& module, const VideoSignalRules& rules) {
    if (!module.ExpectArguments(context, 1))
        return 0;
    const Argument& argument = context.command.arguments[0];
    if (argument.kind == Argument::Kind::Block) {
        module.PushError(err::kDataTypeError, "Data type error");
        return 0;
    }
    // A frame picture is named from the PICTURE folder, a test signal from the SIGNAL folder.
    std::vector<std::string> names;
    bool split = SplitPath(argument.text, &names);
    bool picture = split && names[0] == "PICTURE";
    std::string path = module.Folder() + (picture ? "/" : "/SIGNAL/") + (split ? names[0] : "") +
                       "/" + (split ? names[1] + "/" + names[2] : "");
    if (!split || !EndsWithIgnoringCase(names[2], picture ? ".pic" : ".cmp") ||
        !IsFile(module, path)) {
        module.PushError(err::kFileNameNotFound, "File name not found");
        return 0;
    }
    if (picture) {
        module.Store(kActiveSignal, "/../PICTURE/" + Listed(names[1]) + "/" + Listed(names[2]));
        return 1;
    }
    module.Store(kActiveSignal,
                 "/" + Listed(names[0], true) + "/" + Listed(names[1]) + "/" + Listed(names[2]));
    for (const VideoFormatFolder& format : rules.formats) {
        if (format.folder != names[0])
            continue;
        std::string before = module.Value(rules.standardHeader);
        if (module.Store(rules.standardHeader, format.standard) && rules.formatChanged &&
            module.Value(rules.standardHeader) != before) {
            rules.formatChanged(module);
        }
    }
    return 1;
}

// The first signal of the format that gives the standard's default, as the query answers it.
std::string DefaultActiveSignal(const ModelTable& table, const VideoSignalRules& rules,
                                const VideoFileTree& tree) {
    // The header is written as a client writes it, the table's as a pattern.
    std::string standard;
    std::vector<ParsedCommand> query = LineParser::Parse(rules.standardHeader + "?");
    for (const ParameterDef& parameter : table.Parameters()) {
        HeaderTree one;
        std::vector<int> suffixes;
        if (query.size() == 1 && one.Register(parameter.header + "?", nullptr) &&
            one.Find(query.front(), &suffixes)) {
            standard = parameter.defaultValue;
        }
    }
    const VideoFormat* chosen = tree.formats.empty() ? nullptr : &tree.formats.front();
    for (size_t i = 0; i < rules.formats.size(); ++i) {
        if (rules.formats[i].standard == standard)
            chosen = &tree.formats[i];
    }
    if (!chosen)
        return {};
    for (const VideoSignalSet& set : chosen->sets) {
        if (set.name == kFirstSet && !set.files.empty()) {
            std::vector<std::string> signals = set.files;
            std::sort(signals.begin(), signals.end());  // the order the drive lists them
            return "/" + Listed(chosen->name, true) + "/" + Listed(set.name) + "/" +
                   Listed(signals.front());
        }
    }
    return {};
}

// A command that only takes effect on the instrument, with nothing to answer later.
int Acknowledge(CommandContext& context, ModuleState& module) {
    return module.ExpectArguments(context, 0);
}

int SelectLogo(CommandContext& context, ModuleState& module) {
    if (!module.ExpectArguments(context, 1))
        return 0;
    const Argument& argument = context.command.arguments[0];
    std::string name;
    if (argument.kind == Argument::Kind::Block || !Catalog::UnescapePath(argument.text, &name) ||
        name.empty() || name.find('/') != std::string::npos ||
        !EndsWithIgnoringCase(name, ".lgo") || !IsFile(module, module.Folder() + "/LOGO/" + name)) {
        module.PushError(err::kFileNameNotFound, "File name not found");
        return 0;
    }
    module.Store(kLogoSetting, Listed(name));
    return 1;
}

void AddDemoSettings(ModelBehaviour& behaviour, const std::vector<DemoSetting>& more) {
    std::vector<DemoSetting> settings = behaviour.DemoSettings();
    settings.insert(settings.end(), more.begin(), more.end());
    behaviour.Demo(std::move(settings));
}

}  // namespace

void AddVideoSignals(ModelTable& table, const VideoSignalRules& rules) {
    VideoFileTree tree = DemoTree(rules);
    ParameterDef active = TextParameter(kActiveSignal, DefaultActiveSignal(table, rules, tree));
    active.settable = false;  // only a load changes it
    table.Add(active);
    ModelBehaviour& behaviour = table.Behaviour();
    behaviour.Handle("MMEMory:LOAD:SIGNal", [rules](CommandContext& c, ModuleState& module) {
        return LoadSignal(c, module, rules);
    });
    behaviour.ListsAsNamed("SIGNAL");
    behaviour.DemoFiles(VideoFilePaths(tree));
}

void AddIdText(ModelTable& table, const std::string& suffixes) {
    const std::string output = "OUTPut#" + suffixes;
    auto state = [](std::string header) { return IntegerParameter(std::move(header), 0, 1, "0"); };
    table.Add(state(output + ":OVERlay:BLINk:STATe"));
    ParameterDef period = RealParameter(output + ":OVERlay:BLINk:PERiod", 0.5, 1.0, "0.5", "%.1f");
    period.allowed = {0.5, 1.0};
    table.Add(period);
    table.Add(TextParameter(output + ":TEXT:DATA", "QUARN"));
    table.Add(state(output + ":TEXT:STATe"));
    table.Add(IntegerParameter(output + ":TEXT:POSition:HORizontal", 0, 100, "5"));
    table.Add(IntegerParameter(output + ":TEXT:POSition:VERTical", 0, 100, "90"));
    table.Behaviour().Handle(output + ":TEXT:SAVe", Acknowledge);
}

void AddApl(ModelTable& table, const std::string& suffixes) {
    const std::string output = "OUTPut#" + suffixes;
    table.Add(KeywordParameter(output + ":APL:MODe",
                               {"APL_OFF", "APL_HIGH", "APL_LOW", "APL_BOUNCE", "BOUNCE"},
                               "APL_OFF"));
    ParameterDef period = RealParameter(output + ":APL:PERiod", 0.5, 2.0, "1.0", "%.1f");
    period.allowed = {0.5, 1.0, 1.5, 2.0};
    table.Add(period);
}

void AddVideoOverlay(ModelTable& table) {
    auto state = [](std::string header) { return IntegerParameter(std::move(header), 0, 1, "0"); };
    AddIdText(table, "{1}");

    ParameterDef logo = TextParameter(kLogo, "");
    logo.settable = false;  // a set must name a logo on the drive
    table.Add(logo);
    table.Add(state("OUTPut#{1}:LOGO:STATe"));
    table.Add(RealParameter("OUTPut#{1}:LOGO:POSition:HORizontal", -100, 0, "-10.0", "%.1f"));
    table.Add(RealParameter("OUTPut#{1}:LOGO:POSition:VERTical", -100, 0, "-10.0", "%.1f"));

    table.Add(state("OUTPut#{1}:CIRCle:STATe"));
    table.Add(IntegerParameter("OUTPut#{1}:CIRCle:DIAMeter", 0, 100, "80"));
    table.Add(IntegerParameter("OUTPut#{1}:CIRCle:POSition:HORizontal", -50, 50, "0"));
    table.Add(IntegerParameter("OUTPut#{1}:CIRCle:POSition:VERTical", -50, 50, "0"));

    ModelBehaviour& behaviour = table.Behaviour();
    behaviour.Handle(kLogo, SelectLogo);
    behaviour.Handle("OUTPut#{1}:LOGO:SAVE", Acknowledge);
    // The logo names a file of the demo tree (AddVideoSignals).
    AddDemoSettings(behaviour, {{"OUTP1:LOGO:SEL", "Station^Bug.lgo"},
                                {"OUTP1:LOGO:STAT", "1"},
                                {"OUTP1:TEXT:DATA", "STUDIO 2"},
                                {"OUTP1:TEXT:STAT", "1"},
                                {"OUTP1:OVER:BLIN:STAT", "1"}});
}

}  // namespace quarnsim::models
