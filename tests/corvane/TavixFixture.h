// A Corvane with a Tavix in slot 1 of its simulated instrument and no frame reset present
// unless a test gives one.
#pragma once

#include "corvane/modules/tavix/TavixDoc.h"
#include "corvane/modules/tavix/TavixView.h"
#include "resources/corvane/TavixForms.h"
#include "tests/corvane/ModuleWindowFixture.h"

namespace corvane::testing {

class TavixFixture : public ModuleWindowFixture<CTavixDoc, CTavixView> {
protected:
    TavixFixture() : ModuleWindowFixture("Tavix", 1) {}

    void SetUp() override {
        ModuleWindowFixture::SetUp();
        Instrument().SetFrameReset(1, "0.0", {});
        Instrument().SetFrameReset(2, "0.0", {});
    }
};

}  // namespace corvane::testing
