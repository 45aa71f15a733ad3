#include "project/project_file_io.h"

#include "project/project_fields.h"
#include "project/project_reader.h"
#include "project/project_writer.h"

#include <QFile>
#include <QSaveFile>

#include <filesystem>
#include <string_view>
#include <system_error>

namespace muxcc {

namespace {

namespace fs = std::filesystem;

// Paths arrive as the system's 8-bit bytes; Qt decodes them the way it encodes
// them again when it opens the file.
QString filePath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string failure(const std::string& what, const std::string& path, const std::string& why)
{
    return "cannot " + what + " " + path + ": " + why;
}

std::string failure(const std::string& what, const std::string& path, const QString& why)
{
    return failure(what, path, why.toStdString());
}

std::string_view kindName(fs::file_type type)
{
    switch (type) {
    case fs::file_type::directory:
        return "a directory";
    case fs::file_type::character:
        return "a character device";
    case fs::file_type::block:
        return "a block device";
    case fs::file_type::fifo:
        return "a named pipe";
    case fs::file_type::socket:
        return "a socket";
    default:
        return "something else";
    }
}

std::string notRegular(fs::file_type type)
{
    return "it is " + std::string(kindName(type)) + ", not a regular file";
}

} // namespace

std::optional<std::string> OpenProjectFile(Configuration& config, const std::string& path)
{
    // Looked at before opening: opening a named pipe with no writer would wait
    // forever, and a device such as /dev/zero never ends.
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error)
        return failure("open", path, error.message());
    if (!fs::is_regular_file(status))
        return failure("open", path, notRegular(status.type()));
    if (const auto size = fs::file_size(path, error); !error && size > LargestProjectFile)
        return path + ": " + OversizeReason(size);

    QFile file(filePath(path));
    if (!file.open(QIODevice::ReadOnly))
        return failure("open", path, file.errorString());
    // One byte past the bound, so that a file that grew since is still refused.
    const QByteArray bytes = file.read(static_cast<qint64>(LargestProjectFile) + 1);
    if (file.error() != QFileDevice::NoError)
        return failure("read", path, file.errorString());

    Configuration loaded = config;
    if (auto reason = ReadProjectRecord(loaded, std::string_view(bytes.constData(), bytes.size())))
        return path + ": " + *reason;
    loaded.BooleanEditText = loaded.BooleanText;
    loaded.FileName = path;
    loaded.FileAssociated = 1;
    config = std::move(loaded);
    return std::nullopt;
}

std::optional<std::string> SaveProjectFile(Configuration& config, const std::string& path)
{
    // Only a regular file is replaced: a save over a device or a named pipe
    // would put a plain file in its place, or wait to open the pipe. A link to
    // a regular file has its target replaced and stays a link.
    std::error_code error;
    if (const fs::file_status status = fs::status(path, error);
        fs::exists(status) && !fs::is_regular_file(status))
        return failure("save", path, notRegular(status.type()));
    if (auto refusal = SaveRefusal(config))
        return failure("save", path, *refusal);

    const std::string line = ProjectRecordLine(config);
    QSaveFile file(filePath(path));
    if (!file.open(QIODevice::WriteOnly))
        return failure("save", path, file.errorString());
    // An uncommitted QSaveFile discards its temporary, leaving the old file as it was.
    if (file.write(line.data(), static_cast<qint64>(line.size())) != static_cast<qint64>(line.size()))
        return failure("save", path, file.errorString());
    if (!file.commit())
        return "cannot save " + path + ": the new file could not take the old one's place (" +
               file.errorString().toStdString() + ")";

    config.FileName = path;
    config.FileAssociated = 1;
    config.PackedOptionWord = static_cast<std::int16_t>(PackOptionWord(config));
    return std::nullopt;
}

} // namespace muxcc
