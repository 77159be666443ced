// The registry's entries agree with the catalogue and the string table, so that a model added
// with a wrong id or out of order is caught before the main frame fails to find its template.
#include <gtest/gtest.h>

#include "corvane/modules/ModelRegistry.h"
#include "platform/StringTable.h"
#include "resources/corvane/ModuleForms.h"
#include "resources/corvane/Resource.h"

namespace corvane {
namespace {

TEST(ModelRegistry, EveryModelOnceInCatalogueOrderWithItsOwnNameAndQuestion) {
    RegisterCorvaneStrings();
    RegisterModuleStrings();
    const std::vector<ModelEntry>& models = ModelRegistry();
    ASSERT_EQ(models.size(), 8u);
    for (size_t i = 0; i < models.size(); ++i) {
        const ModelEntry& model = models[i];
        const std::string name = ModelName(model.kind);
        SCOPED_TRACE(name);
        EXPECT_EQ(model.kind, static_cast<ModuleKind>(i + 1));
        EXPECT_EQ(FindModel(model.kind), &model);
        platform::CMultiDocTemplate docTemplate(
            model.docTemplateId, platform::LoadString(model.docTemplateId), nullptr, nullptr);
        std::string docName;
        ASSERT_TRUE(docTemplate.GetDocString(docName, platform::CMultiDocTemplate::docName));
        EXPECT_EQ(docName, name);
        EXPECT_EQ(platform::LoadString(model.applyQuestionId), "Apply changes to " + name + "?");
        // An editor comes whole: form, document and view, or none of them.
        const bool built = model.formTemplate != nullptr;
        EXPECT_EQ(static_cast<bool>(model.makeDocument), built);
        EXPECT_EQ(static_cast<bool>(model.makeView), built);
    }
    EXPECT_EQ(FindModel(kModuleNone), nullptr);
    EXPECT_EQ(FindModel(9), nullptr);
}

}  // namespace
}  // namespace corvane
