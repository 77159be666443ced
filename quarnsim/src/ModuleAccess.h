#pragma once

#include <string>

#include "quarnsim/Instrument.h"

namespace quarnsim {

// The instrument as one module's behaviour sees it. Built from a const instrument, it is only
// ever handed out as a const ModuleState, which keeps the members that change it out of reach.
class Instrument::ModuleAccess final : public ModuleState {
public:
    ModuleAccess(Instrument& instrument, int slot)
        : m_instrument(instrument), m_writable(&instrument), m_slot(slot) {}
    ModuleAccess(const Instrument& instrument, int slot)
        : m_instrument(instrument), m_writable(nullptr), m_slot(slot) {}

    int Slot() const override { return m_slot; }
    std::string Value(const std::string& header) const override {
        return m_instrument.CurrentValue(m_slot, header);
    }
    const FileSystem& Files() const override { return m_instrument.m_files; }
    std::string Folder() const override {
        std::string address = m_instrument.AddressOf(m_slot);
        return "/F0:/" + address.substr(0, address.find(':'));
    }
    int Store(const std::string& header, const std::string& value) override {
        return m_writable->StoreSetting(m_slot, header, value);
    }
    void PushError(int number, std::string text) override {
        m_writable->Push(number, std::move(text));
    }
    int ExpectArguments(const CommandContext& context, size_t count) override {
        return m_writable->ExpectArguments(context, count);
    }

private:
    const Instrument& m_instrument;
    Instrument* m_writable;
    int m_slot;
};

}  // namespace quarnsim
