#include "platform/qt/default_data.h"

#include <QFile>
#include <system_error>

#include "platform/atomic_file.h"

namespace {

struct DataFile {
    const char* resource;
    const char* name;
};

constexpr DataFile kDataFiles[] = {
    {":/sample.wl", "default.wl"},
    {":/default.mid", "default.mid"},
    {":/help/HARBORLESSONS.HLP", "HARBORLESSONS.HLP"},
};

}  // namespace

bool IsFirstStartIn(const std::filesystem::path& dir) {
    std::error_code error;
    return !std::filesystem::exists(dir / "Pellora.ini", error) && !error;
}

std::vector<std::string> ProvideDefaultDataFiles(const std::filesystem::path& dir) {
    std::vector<std::string> written;
    for (const DataFile& data : kDataFiles) {
        const std::filesystem::path target = dir / data.name;
        std::error_code error;
        // Anything already standing there (even a broken link) is the learner's; a name that
        // cannot even be looked at is left alone too.
        const std::filesystem::file_status status = std::filesystem::symlink_status(target, error);
        if (status.type() != std::filesystem::file_type::not_found) continue;
        QFile resource(QString::fromLatin1(data.resource));
        if (!resource.open(QIODevice::ReadOnly)) continue;
        const QByteArray bytes = resource.readAll();
        CAtomicFileWriter writer;
        if (!writer.Open(target)) continue;
        writer.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (writer.Commit()) written.push_back(data.name);
    }
    return written;
}
