#include "quarnsim/FtpServer.h"

namespace quarnsim {

FtpServer::FtpServer(FileSystem& files, FtpFaultPlan& faults) : m_files(files), m_faults(faults) {}

FtpServer::~FtpServer() {
    Stop();
}

void FtpServer::Stop() {}

}  // namespace quarnsim
