#pragma once

#include <memory>
#include <string>

class QSaveFile;

namespace platform {

class FolderItem;

// A text file read from start to end. Bytes stay as stored.
class TextInputStream {
public:
    explicit TextInputStream(std::string content) : content_(std::move(content)) {}
    // The next line without its end (LF, CR LF or CR); "" past the end.
    std::string ReadLine();
    // The rest of the file, whole.
    std::string ReadAll();
    void Close() { position_ = content_.size(); }

private:
    std::string content_;
    std::size_t position_ = 0;
};

// A text file written whole: lines go to a temporary file beside the target,
// which replaces the target only when Close has flushed it all. A failure
// anywhere leaves the old file as it was.
class TextOutputStream {
public:
    // Never nullptr; a stream that could not be opened fails at Close.
    static std::unique_ptr<TextOutputStream> Create(const FolderItem& file);
    ~TextOutputStream();

    // Writes the line and LF.
    void WriteLine(const std::string& line);
    // Commits the file; false with ErrorString set when it could not be saved.
    bool Close();
    const std::string& ErrorString() const { return error_; }

private:
    explicit TextOutputStream(const std::string& path);

    std::unique_ptr<QSaveFile> file_;
    std::string error_;
};

}  // namespace platform
