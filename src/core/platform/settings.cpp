#include "core/platform/settings.hpp"

#include <QSettings>
#include <QString>
#include <cstdlib>

namespace fw {

namespace {
QSettings store(const std::string& application) {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromStdString(application),
                     QString::fromStdString(application));
}
QString qkey(const std::string& key) { return "Settings/" + QString::fromStdString(key); }
}  // namespace

std::string get_setting(const std::string& application, const std::string& key, const std::string& fallback) {
    QSettings s = store(application);
    const QVariant value = s.value(qkey(key));
    return value.isValid() ? value.toString().toStdString() : fallback;
}

void save_setting(const std::string& application, const std::string& key, const std::string& value) {
    QSettings s = store(application);
    s.setValue(qkey(key), QString::fromStdString(value));
    s.sync();
}

std::string settings_file(const std::string& application) {
    return store(application).fileName().toStdString();
}

bool setting_is_on(const std::string& application, const std::string& key, bool when_missing) {
    const std::string value = get_setting(application, key);
    return value.empty() ? when_missing : leading_number(value) == 1.0;
}

void seed_setting(const std::string& application, const std::string& key, const std::string& value) {
    if (get_setting(application, key).empty()) save_setting(application, key, value);
}

double leading_number(const std::string& text) {
    // strtod skips leading white space and stops at the first character that cannot continue a number.
    const char* begin = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    return end == begin ? 0.0 : value;
}

}  // namespace fw
