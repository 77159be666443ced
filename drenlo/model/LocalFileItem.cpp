#include "drenlo/model/LocalFileItem.h"

namespace drenlo {

int CLocalFileItem::SplitLocalPath(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0 || slash + 1 == path.size())
        return 0;
    m_pcPath = path;
    m_fileName = path.substr(slash + 1);
    return 1;
}

}  // namespace drenlo
