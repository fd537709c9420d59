#include "platform/TextStreams.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QString>

#include "platform/FolderItem.h"

namespace platform {

namespace {

bool failEveryCommit = false;

}  // namespace

void SetWriteFailureForTesting(bool fail)
{
    failEveryCommit = fail;
}

std::string TextInputStream::ReadLine()
{
    if (EndOfFile()) {
        return {};
    }
    const std::size_t end = content_.find_first_of("\r\n", position_);
    if (end == std::string::npos) {
        return ReadAll();
    }
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
    bool opened = false;
    bool closed = false;
    bool saved = false;
};

std::unique_ptr<TextOutputStream> TextOutputStream::Create(const FolderItem& file)
{
    const QString path = QString::fromStdString(file.NativePath());
    auto impl = std::make_unique<Impl>(path);
    // The Preferences folder may not exist yet on a first run.
    QDir().mkpath(QFileInfo(path).absolutePath());
    impl->opened = impl->file.open(QIODevice::WriteOnly);
    return std::unique_ptr<TextOutputStream>(new TextOutputStream(std::move(impl)));
}

TextOutputStream::TextOutputStream(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

// Without Close the temporary file is dropped and the target stays as it was.
TextOutputStream::~TextOutputStream() = default;

void TextOutputStream::WriteLine(const std::string& line)
{
    if (!impl_->opened || impl_->closed) {
        return;
    }
    // A failed write is remembered by QSaveFile and makes the commit fail.
    impl_->file.write(line.data(), static_cast<qint64>(line.size()));
    impl_->file.write("\n", 1);
}

bool TextOutputStream::Close()
{
    if (impl_->closed) {
        return impl_->saved;
    }
    impl_->closed = true;
    QSaveFile& file = impl_->file;
    const std::string target = file.fileName().toStdString();
    if (!impl_->opened) {
        error_ = "Could not create " + target + ": " + file.errorString().toStdString();
        return false;
    }
    if (failEveryCommit) {
        file.cancelWriting();
    }
    impl_->saved = file.commit();
    if (!impl_->saved) {
        error_ = "Could not save " + target + ": " + file.errorString().toStdString();
    }
    return impl_->saved;
}

}  // namespace platform
