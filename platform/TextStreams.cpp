#include "platform/TextStreams.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include "platform/FolderItem.h"

namespace platform {

std::string TextInputStream::ReadLine()
{
    if (EndOfFile())
        return {};
    const std::size_t end = content_.find_first_of("\r\n", position_);
    if (end == std::string::npos)
        return ReadAll();
    std::string line = content_.substr(position_, end - position_);
    const bool crlf = content_[end] == '\r' && end + 1 < content_.size() && content_[end + 1] == '\n';
    position_ = end + (crlf ? 2 : 1);
    return line;
}

std::string TextInputStream::ReadAll()
{
    std::string rest = position_ < content_.size() ? content_.substr(position_) : std::string();
    position_ = content_.size();
    return rest;
}

struct TextOutputStream::Impl {
    explicit Impl(const QString& path) : file(path) {}

    QSaveFile file;
    // The first failure; the file is then never committed.
    std::string failure;
    bool closed = false;
};

std::unique_ptr<TextOutputStream> TextOutputStream::Create(const FolderItem& file)
{
    const QString path = QString::fromStdString(file.NativePath());
    auto impl = std::make_unique<Impl>(path);
    // The Preferences folder may not exist yet on a first run.
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!impl->file.open(QIODevice::WriteOnly))
        impl->failure = "Could not create " + file.NativePath() + ": " + impl->file.errorString().toStdString();
    return std::unique_ptr<TextOutputStream>(new TextOutputStream(std::move(impl)));
}

TextOutputStream::TextOutputStream(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

// Without Close the temporary file is dropped and the target stays as it was.
TextOutputStream::~TextOutputStream() = default;

void TextOutputStream::WriteLine(const std::string& line)
{
    if (!impl_->failure.empty() || impl_->closed)
        return;
    const std::string text = line + '\n';
    if (impl_->file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        impl_->failure = "Could not write " + impl_->file.fileName().toStdString() + ": " +
                         impl_->file.errorString().toStdString();
}

// Writes are buffered, so a full disk may show only in the flush; commit()
// does not check it and would put a cut file in place of the old one.
bool TextOutputStream::Close()
{
    Impl& d = *impl_;
    if (d.closed)
        return error_.empty();
    d.closed = true;
    const std::string target = d.file.fileName().toStdString();
    if (d.failure.empty() && !d.file.flush())
        d.failure = "Could not write " + target + ": " + d.file.errorString().toStdString();
    if (d.failure.empty() && !d.file.commit())
        d.failure = "Could not save " + target + ": " + d.file.errorString().toStdString();
    if (!d.failure.empty()) {
        d.file.cancelWriting();
        error_ = d.failure;
    }
    return error_.empty();
}

}  // namespace platform
