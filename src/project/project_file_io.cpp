#include "project/project_file_io.h"

#include "project/project_reader.h"
#include "project/project_writer.h"

#include <QFile>
#include <QSaveFile>

#include <string_view>

namespace muxcc {

namespace {

// Paths arrive as the system's 8-bit bytes; Qt decodes them the way it encodes
// them again when it opens the file.
QString filePath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string failure(const std::string& what, const std::string& path, const QString& why)
{
    return "cannot " + what + " " + path + ": " + why.toStdString();
}

} // namespace

std::optional<std::string> OpenProjectFile(Configuration& config, const std::string& path)
{
    QFile file(filePath(path));
    if (!file.open(QIODevice::ReadOnly))
        return failure("open", path, file.errorString());
    const QByteArray bytes = file.readAll();
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
    if (auto refusal = SaveRefusal(config))
        return "cannot save " + path + ": " + *refusal;

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
