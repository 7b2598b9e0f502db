#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <algorithm>
#include <cstring>

namespace qv {

// A file being built in memory. Bytes go through a cursor into room taken ahead, so the many
// short pieces a file is made of cost no library call each.
class ByteSink {
public:
    explicit ByteSink(qsizetype expectedSize = 256) {
        bytes_.resize(std::max<qsizetype>(expectedSize, 64));
        cursor_ = bytes_.data();
        end_ = cursor_ + bytes_.size();
    }

    // Room for at least n more bytes, starting at the cursor; advance() then tells how far it
    // was written.
    char* room(qsizetype n) {
        if (end_ - cursor_ < n)
            grow(n);
        return cursor_;
    }
    void advance(char* writtenUpTo) { cursor_ = writtenUpTo; }

    void append(const char* bytes, qsizetype n) {
        char* d = room(n);
        std::memcpy(d, bytes, std::size_t(n));
        cursor_ = d + n;
    }
    template <std::size_t N> void append(const char (&literal)[N]) {
        append(literal, qsizetype(N - 1));
    }
    void append(char c) { *room(1) = c, ++cursor_; }

    // What was written so far; restart() lets the next bytes take its place, in the same memory.
    QByteArrayView filled() const {
        return QByteArrayView(bytes_.constData(), cursor_ - bytes_.constData());
    }
    void restart() { cursor_ = bytes_.data(); }

    QByteArray take() {
        bytes_.resize(cursor_ - bytes_.constData());
        cursor_ = end_ = nullptr;
        return std::move(bytes_);
    }

private:
    void grow(qsizetype n) {
        const qsizetype used = cursor_ - bytes_.constData();
        bytes_.resize(std::max(bytes_.size() * 2, used + n));
        cursor_ = bytes_.data() + used;
        end_ = bytes_.data() + bytes_.size();
    }

    QByteArray bytes_;
    char* cursor_ = nullptr;
    char* end_ = nullptr;
};

} // namespace qv
