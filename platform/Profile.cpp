#include "platform/Profile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <utility>

namespace platform {

namespace {

std::mutex g_rootMutex;
std::string g_testRoot;

std::string TestRoot() {
    std::lock_guard<std::mutex> lock(g_rootMutex);
    return g_testRoot;
}

QString Latin1(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromLatin1(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// The stored spelling of `name` among `candidates` (case-insensitive), or `name` itself.
QString StoredName(const QStringList& candidates, const QString& name) {
    if (candidates.contains(name)) {
        return name;
    }
    for (const QString& candidate : candidates) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0) {
            return candidate;
        }
    }
    return name;
}

// The QSettings key of section/key as already stored, so the registry's case-blindness
// holds for files written by hand or by an older build.
QString StoredKey(QSettings& settings, const std::string& section, const std::string& key) {
    const QString group = StoredName(settings.childGroups(), Latin1(section));
    settings.beginGroup(group);
    const QString name = StoredName(settings.childKeys(), Latin1(key));
    settings.endGroup();
    return group + QLatin1Char('/') + name;
}

}  // namespace

Profile::Profile(std::string company, std::string application)
    : m_company(std::move(company)), m_application(std::move(application)) {}

void Profile::SetRootForTests(const std::string& folder) {
    std::lock_guard<std::mutex> lock(g_rootMutex);
    g_testRoot = folder;
}

std::string Profile::FilePath() const {
    const std::string root = TestRoot();
    if (!root.empty()) {
        return root + "/" + m_company + "/" + m_application + ".conf";
    }
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, Latin1(m_company),
                       Latin1(m_application));
    return settings.fileName().toStdString();
}

namespace {

std::unique_ptr<QSettings> OpenSettings(const std::string& company,
                                        const std::string& application) {
    const std::string root = TestRoot();
    if (!root.empty()) {
        // On Linux the native format is this same ini format.
        const QString path = Latin1(root + "/" + company + "/" + application + ".conf");
        return std::make_unique<QSettings>(path, QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       Latin1(company), Latin1(application));
}

}  // namespace

std::string Profile::GetString(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const {
    std::unique_ptr<QSettings> settings = OpenSettings(m_company, m_application);
    const QVariant value = settings->value(StoredKey(*settings, section, key));
    if (!value.isValid()) {
        return defaultValue;
    }
    return FromLatin1(value.toString());
}

int Profile::GetInt(const std::string& section, const std::string& key, int defaultValue) const {
    std::unique_ptr<QSettings> settings = OpenSettings(m_company, m_application);
    const QVariant value = settings->value(StoredKey(*settings, section, key));
    if (!value.isValid()) {
        return defaultValue;
    }
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

bool Profile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
    std::unique_ptr<QSettings> settings = OpenSettings(m_company, m_application);
    settings->setValue(StoredKey(*settings, section, key), Latin1(value));
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool Profile::WriteInt(const std::string& section, const std::string& key, int value) {
    std::unique_ptr<QSettings> settings = OpenSettings(m_company, m_application);
    settings->setValue(StoredKey(*settings, section, key), value);
    settings->sync();
    return settings->status() == QSettings::NoError;
}

}  // namespace platform
