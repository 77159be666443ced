#include "quarnsim/Simulator.h"

#include <cstdlib>

#include "quarnsim/FaultPlan.h"
#include "quarnsim/Instrument.h"

namespace quarnsim {

Simulator::Simulator(Options options)
    : m_instrument(std::make_unique<Instrument>(std::move(options))),
      m_faults(std::make_unique<FaultPlan>()),
      m_server(std::make_unique<CommandServer>(*m_instrument, *m_faults)),
      m_ftpFaults(std::make_unique<FtpFaultPlan>()),
      m_ftp(std::make_unique<FtpServer>(m_instrument->Files(), *m_ftpFaults)) {}

Simulator::~Simulator() {
    Stop();
}

bool Simulator::Start(std::string* error) {
    if (m_server->Running())
        return true;
    if (!m_instrument->Initialize(error))
        return false;
    const Options& options = m_instrument->GetOptions();
    // Without a drive there is nothing to serve over FTP. The command port goes first: an
    // address whose port 5000 is taken is never touched on port 21, where a paired FTP server
    // may be about to start.
    bool ftp = options.ftpEnabled && m_instrument->Files().Enabled();
    m_ftp->SetCapacity(options.memoryCapacity);
    if (!m_server->Start(options.address, options.commandPort, error))
        return false;
    m_ftpError.clear();
    if (ftp &&
        !m_ftp->Start(options.address, options.ftpPort, options.ftpDataTimeoutMs, &m_ftpError)) {
        if (options.ftpRequired) {
            if (error)
                *error = m_ftpError;
            m_server->Stop();
            return false;
        }
    }
    return true;
}

void Simulator::Stop() {
    m_server->Stop();
    m_ftp->Stop();
}

const Options& Simulator::GetOptions() const {
    return m_instrument->GetOptions();
}
uint16_t Simulator::CommandPort() const {
    return m_server->Port();
}
uint16_t Simulator::FtpPort() const {
    return m_ftp->Running() ? m_ftp->Port() : 0;
}

std::vector<std::string> Simulator::ReceivedLines() const {
    return m_server->ReceivedLines();
}
void Simulator::ClearLog() {
    m_server->ClearLog();
}
int Simulator::ConnectionCount() const {
    return m_server->ConnectionCount();
}
std::chrono::nanoseconds Simulator::HandlingTime() const {
    return m_server->HandlingTime();
}

int Simulator::OpenConnectionCount() const {
    return m_server->OpenConnectionCount();
}

void Simulator::SetCpuSoftware(std::string software) {
    m_instrument->SetCpuSoftware(std::move(software));
}

void Simulator::SetReplyOverride(std::string query, std::string answer) {
    m_instrument->SetReplyOverride(std::move(query), std::move(answer));
}

void Simulator::ClearReplyOverrides() {
    m_instrument->ClearReplyOverrides();
}

std::string Simulator::PresetName(int number) const {
    return m_instrument->PresetName(number);
}
bool Simulator::PresetUsed(int number) const {
    return m_instrument->PresetUsed(number);
}

void Simulator::SetPreset(int number, std::string name, bool used) {
    m_instrument->SetPreset(number, std::move(name), used);
}

bool Simulator::UserDefaultUsed() const {
    return m_instrument->UserDefaultUsed();
}
void Simulator::SetUserDefaultUsed(bool used) {
    m_instrument->SetUserDefaultUsed(used);
}

int Simulator::SetModuleSetting(int slot, const std::string& header, const std::string& value) {
    return m_instrument->SetModuleSetting(slot, header, value);
}

std::string Simulator::ModuleSetting(int slot, const std::string& header) const {
    return m_instrument->ModuleSetting(slot, header);
}

int Simulator::SetContrast(int contrast) {
    return m_instrument->SetModuleSetting(0, "DISP:CONT", std::to_string(contrast));
}

int Simulator::Contrast() const {
    return std::atoi(m_instrument->ModuleSetting(0, "DISP:CONT").c_str());
}

int Simulator::SetFrameReset(int reset, std::string frequency, std::vector<int> usedBy) {
    return m_instrument->SetFrameReset(reset, std::move(frequency), std::move(usedBy));
}

int Simulator::SetFrameResetFrequency(int reset, std::string frequency) {
    return m_instrument->SetFrameResetFrequency(reset, std::move(frequency));
}

int Simulator::SetFrameResetSlots(int reset, std::vector<int> usedBy) {
    return m_instrument->SetFrameResetSlots(reset, std::move(usedBy));
}

std::string Simulator::FrameResetFrequency(int reset) const {
    return m_instrument->FrameResetFrequency(reset);
}

std::string Simulator::FrameResetCatalog(int reset) const {
    return m_instrument->FrameResetCatalog(reset);
}

void Simulator::SetMemoryBytes(double used, double free) {
    m_instrument->SetMemoryBytes(used, free);
}

void Simulator::ClearMemoryBytes() {
    m_instrument->ClearMemoryBytes();
}

void Simulator::PushError(int number, std::string text) {
    m_instrument->PushError(number, std::move(text));
}

void Simulator::CloseAfterBytes(size_t count) {
    m_faults->CloseAfterBytes(count);
}
void Simulator::DelayNextReply(std::chrono::milliseconds delay) {
    m_faults->DelayNextReply(delay);
}
void Simulator::ReplaceNextReply(std::string rawBytes) {
    m_faults->ReplaceNextReply(std::move(rawBytes));
}

void Simulator::FailNextCommand(std::string headerPrefix, int errorNumber, std::string text) {
    m_instrument->FailNextCommand(std::move(headerPrefix), errorNumber, std::move(text));
}

void Simulator::RefuseConnections(bool refuse) {
    m_server->SetPolicy(refuse ? ConnectionPolicy::Refuse : ConnectionPolicy::Accept);
}

void Simulator::SetConnectionPolicy(ConnectionPolicy policy) {
    m_server->SetPolicy(policy);
}

void Simulator::GoSilentAt(std::string line, std::string rawBytes) {
    m_faults->GoSilentAt(std::move(line), std::move(rawBytes));
}

void Simulator::StopReadingAt(std::string line) {
    m_faults->StopReadingAt(std::move(line));
}

void Simulator::SwallowNextReply() {
    m_faults->SwallowNextReply();
}
void Simulator::StallNextReplyAfter(size_t count) {
    m_faults->StallNextReplyAfter(count);
}
void Simulator::SetReplyPacing(size_t chunkBytes, std::chrono::milliseconds delay) {
    m_faults->SetReplyPacing(chunkBytes, delay);
}
void Simulator::CloseAfterReceivedBytes(size_t count) {
    m_faults->CloseAfterReceivedBytes(count);
}
void Simulator::SetReceivePacing(size_t chunkBytes, std::chrono::milliseconds delay) {
    m_faults->SetReceivePacing(chunkBytes, delay);
}
void Simulator::SetBlockLengthSkew(const std::string& path, long long delta) {
    m_instrument->SetBlockLengthSkew(path, delta);
}

void Simulator::SplitNextReplyTerminator(std::chrono::milliseconds delay) {
    m_faults->SplitNextReplyTerminator(delay);
}

std::vector<std::string> Simulator::FtpCommands() const {
    return m_ftp->ReceivedCommands();
}
void Simulator::ClearFtpLog() {
    m_ftp->ClearLog();
}
int Simulator::FtpConnectionCount() const {
    return m_ftp->ConnectionCount();
}
void Simulator::SetFtpDataTimeout(std::chrono::milliseconds timeout) {
    m_ftp->SetDataTimeoutMs(static_cast<int>(timeout.count()));
}
void Simulator::FtpWithholdNextDataConnection() {
    m_ftpFaults->WithholdNextDataConnection();
}
void Simulator::FtpDelayNextDataConnection(std::chrono::milliseconds delay) {
    m_ftpFaults->DelayNextDataConnection(delay);
}
void Simulator::FtpReplaceNextReply(const std::string& verb, std::string reply) {
    m_ftpFaults->ReplaceNextReply(verb, std::move(reply));
}
void Simulator::FtpCloseAfterCommands(int count) {
    m_ftpFaults->CloseAfterCommands(count);
}
void Simulator::FtpStallNextDataAfter(size_t count) {
    m_ftpFaults->StallNextDataAfter(count);
}
void Simulator::FtpPaceNextData(size_t chunk, std::chrono::milliseconds pause) {
    m_ftpFaults->PaceNextData(chunk, pause);
}
void Simulator::FtpReplaceNextListing(std::string bytes) {
    m_ftpFaults->ReplaceNextListing(std::move(bytes));
}

std::vector<Instrument::LoadRecord> Simulator::Loads() const {
    return m_instrument->Loads();
}
void Simulator::ClearLoads() {
    m_instrument->ClearLoads();
}

}  // namespace quarnsim
