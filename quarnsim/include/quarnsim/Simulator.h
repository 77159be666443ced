#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quarnsim/CommandServer.h"
#include "quarnsim/FtpFaultPlan.h"
#include "quarnsim/FtpServer.h"
#include "quarnsim/Instrument.h"
#include "quarnsim/Options.h"

namespace quarnsim {

class FaultPlan;

// The stand-in Quarn: instrument state, its command port, its FTP server and the faults tests
// arm on them. Every member is safe to call from any thread while the simulator runs.
//
// Files: the root folder is the drive "/F0:/" for both ports. Presets live in
// "CPU/PRESET/MSTATE.Pnn" and "<Model>/PRESET/MSTATE<slot>.Pnn": the preset store writes them
// when a preset is stored (and for Options::presets on Start) and reads every one found there on
// Start, so tests may seed preset files before Start or write them afterwards; files written
// later through MMEM:DATA or FTP land on the drive but reach the preset store only on the next
// Start.
//
// Command port file rules the utilities rely on: "MMEM:CDIR" takes a trailing '/'; a folder
// that does not exist keeps the previous current folder and queues -256 "File name not found"
// (SYST:ERR?). "MMEM:DATA? <missing file>" queues the same error and answers an empty line.
// "MMEM:DATA" consumes the line end after its block.
//
// To pair this command port with another FTP server on the same address and tree (a test
// peer), start it with Options::ftpEnabled = false and serve the root's parent folder, whose
// "F0:" sub-folder is this root, from the other server.
class Simulator {
public:
    explicit Simulator(Options options);
    ~Simulator();  // stops
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Lays out the root, binds and listens. False when the options are unusable or the address
    // and port cannot be bound; the reason goes to `error`.
    bool Start(std::string* error = nullptr);
    // Closes the listener and every connection and joins all threads.
    void Stop();
    const Options& GetOptions() const;
    uint16_t CommandPort() const;  // the bound port, useful with port 0
    // The FTP server's bound port; 0 when it is off (Options::ftpEnabled, or no root folder).
    uint16_t FtpPort() const;
    // Why the FTP server did not start when it was wanted but not required; empty otherwise.
    const std::string& FtpError() const { return m_ftpError; }
    Instrument& GetInstrument() { return *m_instrument; }

    // Every line received (CR LF stripped), across connections, each once it has been carried
    // out: what a logged line did can be read at once, reply or not.
    std::vector<std::string> ReceivedLines() const;
    void ClearLog();
    int ConnectionCount() const;  // accepted connections so far
    // Connections not over yet: waiting to be accepted, or served until the client leaves and
    // everything it sent has been carried out. A client that closed its connection after its
    // last command, with no reply to wait for, knows it was carried out once this drops.
    int OpenConnectionCount() const;
    // Time the command port has spent since Start acting on what it received, from a line's
    // arrival to its reply leaving, waits and the sending left out: the simulator's own part of
    // the exchanges, for benchmarks to tell apart from the exchange itself.
    std::chrono::nanoseconds HandlingTime() const;

    void SetCpuSoftware(std::string software);  // what *OPT? and *IDN? report
    // The answer replaces that query's answer inside the joined reply. The query is matched
    // like a command the client sent (long or short form, any case); arguments given with it
    // must match too, otherwise any arguments do.
    void SetReplyOverride(std::string query, std::string answer);
    void ClearReplyOverrides();

    std::string PresetName(int number) const;
    bool PresetUsed(int number) const;
    void SetPreset(int number, std::string name, bool used);
    bool UserDefaultUsed() const;
    void SetUserDefaultUsed(bool used);

    // Current settings of the module in `slot` (0: the controller) by header, long or short
    // form ("OUTP:AUD:CHAN1:AMPL", "-12"). The value is checked as a set command's argument is;
    // 0 for an empty slot, an unknown header or a refused value. ModuleSetting gives what a
    // query would answer, quotes of a text left off; empty for an unknown header.
    int SetModuleSetting(int slot, const std::string& header, const std::string& value);
    std::string ModuleSetting(int slot, const std::string& header) const;
    int SetContrast(int contrast);  // 1..40
    int Contrast() const;

    // Frame resets 1..3: the frequency text "SENS:ROSC:FRAME<n>:FREQ?" answers ("0.0" or any
    // text reading as 0: absent) and the slots listed as using it. Audio generators whose sync
    // follows a reset are listed as well; an absent reset lists no slot. 0 for bad values.
    int SetFrameReset(int reset, std::string frequency, std::vector<int> usedBy = {});
    int SetFrameResetFrequency(int reset, std::string frequency);
    int SetFrameResetSlots(int reset, std::vector<int> usedBy);
    std::string FrameResetFrequency(int reset) const;
    std::string FrameResetCatalog(int reset) const;  // as "SENS:ROSC:FRAME<n>:CAT?" answers

    // Used and free bytes that catalogue listings report instead of the real ones.
    void SetMemoryBytes(double used, double free);
    void ClearMemoryBytes();

    // Fault injection; each applies to the next matching event and then clears itself.
    void PushError(int number, std::string text);  // onto the SYST:ERR? queue
    void CloseAfterBytes(size_t count);  // after `count` more reply bytes; 0: instead of a reply
    void DelayNextReply(std::chrono::milliseconds delay);
    void ReplaceNextReply(std::string rawBytes);  // sent as they are, no terminator added
    // The next command whose header starts with `headerPrefix` (long or short form) pushes
    // this error instead of acting.
    void FailNextCommand(std::string headerPrefix, int errorNumber, std::string text);
    void RefuseConnections(bool refuse);  // refuse: nothing listens until called with false
    void SetConnectionPolicy(ConnectionPolicy policy);
    // The next reply is not sent at all; the connection stays open and later lines are
    // answered as usual.
    void SwallowNextReply();
    // The next reply stops after `count` bytes, and that connection never answers again
    // (it reads on until the client closes it).
    void StallNextReplyAfter(size_t count);
    // Replies go out in pieces of `chunkBytes` with `delay` before each; (0, 0) ends it.
    void SetReplyPacing(size_t chunkBytes, std::chrono::milliseconds delay);
    // The port closes the connection once `count` more bytes have been received; a line or
    // block cut short by it is dropped unprocessed.
    void CloseAfterReceivedBytes(size_t count);
    // The port reads at most `chunkBytes` at a time with `delay` after each read, so a client
    // sending a large block blocks in its send; (0, 0) ends it.
    void SetReceivePacing(size_t chunkBytes, std::chrono::milliseconds delay);
    // The next "MMEM:DATA?" of `path` announces the file's size plus `delta` in its block
    // header while sending the file's real bytes.
    void SetBlockLengthSkew(const std::string& path, long long delta);

    // The next reply's line end goes out as a separate segment, `delay` after the rest.
    void SplitNextReplyTerminator(std::chrono::milliseconds delay);

    // When a line equal to `line` arrives (as received, line end stripped), the port acts on
    // it, sends `rawBytes` as they are (possibly nothing) in place of its reply, and then
    // neither acts on nor answers anything more on that connection; later lines still reach
    // the log of received lines.
    void GoSilentAt(std::string line, std::string rawBytes = {});
    // When a line equal to `line` arrives, the port acts on it, answers nothing and never
    // reads that connection again, so the client's sends back up once the buffers between
    // them are full; the connection stays open until the client closes it.
    void StopReadingAt(std::string line);

    // FTP: every command line received (line end stripped, PASS included), in arrival order
    // across connections, and the faults of FtpFaultPlan.h. Each fault applies to the next
    // matching event on any FTP connection and then clears itself.
    std::vector<std::string> FtpCommands() const;
    void ClearFtpLog();
    int FtpConnectionCount() const;
    void SetFtpDataTimeout(std::chrono::milliseconds timeout);  // after Start; before: Options
    void FtpWithholdNextDataConnection();
    void FtpDelayNextDataConnection(std::chrono::milliseconds delay);
    void FtpReplaceNextReply(const std::string& verb, std::string reply);
    void FtpCloseAfterCommands(int count);
    void FtpStallNextDataAfter(size_t count);
    void FtpPaceNextData(size_t chunk, std::chrono::milliseconds pause);
    void FtpReplaceNextListing(std::string bytes);

    // What the MMEM:LOAD commands loaded, oldest first.
    std::vector<Instrument::LoadRecord> Loads() const;
    void ClearLoads();

private:
    std::string m_ftpError;
    std::unique_ptr<Instrument> m_instrument;
    std::unique_ptr<FaultPlan> m_faults;
    std::unique_ptr<CommandServer> m_server;
    std::unique_ptr<FtpFaultPlan> m_ftpFaults;
    std::unique_ptr<FtpServer> m_ftp;
};

}  // namespace quarnsim
