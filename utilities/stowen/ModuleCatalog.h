// CModuleCatalog: the instrument's module catalogue ("inst:cat?") and the models backed up.
//
// The reply is a comma-joined list of quoted addresses, "CPU:0","Brumo:1","Sormet:3": a model
// name, a colon and its slot. A model is installed when one address names exactly that model;
// the controller "CPU" always is. Only the fixed model table below ever becomes part of a
// folder or instrument path, so nothing the instrument sends can name a PC path.
#pragma once

#include <array>
#include <string>

namespace stowen {

class CModuleCatalog {
public:
    static constexpr int kModelCount = 9;
    // In the order the backup walks them; "CPU" is the controller.
    static const std::array<const char*, kModelCount>& Models();

    explicit CModuleCatalog(std::string reply) : m_reply(std::move(reply)) {}

    bool IsInstalled(const std::string& model) const;
    const std::string& Reply() const { return m_reply; }

private:
    std::string m_reply;
};

}  // namespace stowen
