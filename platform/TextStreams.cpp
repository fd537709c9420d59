#include "platform/TextStreams.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/FolderItem.h"

namespace platform {

std::string TextInputStream::ReadLine()
{
    const std::size_t end = content_.find_first_of("\r\n", position_);
    if (end == std::string::npos)
        return ReadAll();
    std::string line = content_.substr(position_, end - position_);
    const bool crlf = content_.compare(end, 2, "\r\n") == 0;
    position_ = end + (crlf ? 2 : 1);
    return line;
}

// A file read whole from its start is handed over, not copied.
std::string TextInputStream::ReadAll()
{
    std::string rest = position_ == 0 ? std::move(content_) : content_.substr(position_);
    content_.clear();
    position_ = 0;
    return rest;
}

std::unique_ptr<TextOutputStream> TextOutputStream::Create(const FolderItem& file)
{
    return std::unique_ptr<TextOutputStream>(new TextOutputStream(file.NativePath()));
}

TextOutputStream::TextOutputStream(const std::string& path)
    : file_(std::make_unique<QSaveFile>(QString::fromStdString(path)))
{
    // The Preferences folder may not exist yet on a first run.
    QDir().mkpath(QFileInfo(file_->fileName()).absolutePath());
    if (!file_->open(QIODevice::WriteOnly))
        error_ = "Could not create " + path + ": " + file_->errorString().toStdString();
}

// Without Close the temporary file is dropped and the target stays as it was.
TextOutputStream::~TextOutputStream() = default;

// QSaveFile remembers a failed write and then commits nothing.
void TextOutputStream::WriteLine(const std::string& line)
{
    if (file_->isOpen())
        file_->write(QByteArray::fromStdString(line + '\n'));
}

// Writes are buffered, so a full disk may show only in the flush; commit()
// does not check it and would put a cut file in place of the old one.
bool TextOutputStream::Close()
{
    if (file_->isOpen() && !(file_->flush() && file_->commit())) {
        error_ = "Could not save " + file_->fileName().toStdString() + ": " + file_->errorString().toStdString();
        file_->cancelWriting();
    }
    return error_.empty();
}

}  // namespace platform
