#include "cli/output.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <poll.h>
#include <unistd.h>

namespace aethrian::cli {

FdOutput::FdOutput(int fd) : fd_(fd) {
    setp(buffer_, buffer_ + sizeof buffer_);
}

FdOutput::~FdOutput() {
    drain();
}

bool FdOutput::drain() {
    const char* p = pbase();
    const char* const end = pptr();
    while (error_ == 0 && p < end) {
        const ssize_t n = ::write(fd_, p, static_cast<size_t>(end - p));
        if (n >= 0) {
            p += n;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // Standard output left non-blocking by whoever started the program: wait for room.
            pollfd ready{fd_, POLLOUT, 0};
            ::poll(&ready, 1, -1);
        } else if (errno != EINTR) {
            error_ = errno;
        }
    }
    setp(buffer_, buffer_ + sizeof buffer_);
    return error_ == 0;
}

FdOutput::int_type FdOutput::overflow(int_type ch) {
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
    }
    return traits_type::not_eof(ch);
}

int FdOutput::sync() {
    return drain() ? 0 : -1;
}

int finishOutput(int rc, std::ostream& out, const FdOutput& buffer, std::ostream& err) {
    out.flush();
    if (buffer.error() == 0)
        return rc;
    err << "Cannot write to standard output. " << std::strerror(buffer.error()) << '\n';
    return 2;
}

} // namespace aethrian::cli
