#include "MessageSpool.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kSuffix = ".msg";

bool makeFolders(const std::string& path) {
    std::string partial;
    size_t pos = 0;
    while (pos != std::string::npos) {
        pos = path.find('/', pos + 1);
        partial = path.substr(0, pos);
        if (partial.empty())
            continue;
        if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

bool writeAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

} // namespace

MessageSpool::~MessageSpool() {
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

std::string MessageSpool::pathOf(uint64_t seq) const {
    char name[40];
    std::snprintf(name, sizeof name, "/%016" PRIu64 "%s", seq, kSuffix);
    return folder_ + name;
}

bool MessageSpool::open(const std::string& folder, uint64_t maxBytes, std::string* why) {
    folder_ = folder;
    maxBytes_ = maxBytes;
    if (!makeFolders(folder)) {
        *why = "the spool folder " + folder + " cannot be made: " + std::strerror(errno);
        return false;
    }
    const std::string lockPath = folder + "/lock";
    lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0) {
        *why = "the spool folder " + folder + " cannot be used: " + std::strerror(errno);
        return false;
    }
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
        *why = "the spool folder " + folder +
               " is in use by another monitor; give each monitor a --spool of its own";
        ::close(lockFd_);
        lockFd_ = -1;
        return false;
    }
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        *why = "the spool folder " + folder + " cannot be read: " + std::strerror(errno);
        return false;
    }
    std::vector<Entry> found;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        const std::string path = folder + "/" + name;
        if (name.find(".tmp") != std::string::npos) {
            // A write that a kill cut short: never handed on, never whole.
            ::unlink(path.c_str());
            continue;
        }
        uint64_t seq = 0;
        char tail[8] = {};
        if (std::sscanf(name.c_str(), "%16" SCNu64 "%7s", &seq, tail) != 2 ||
            std::strcmp(tail, kSuffix) != 0 || name.size() != 16 + std::strlen(kSuffix))
            continue;
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        found.push_back({seq, uint64_t(st.st_size)});
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(),
              [](const Entry& a, const Entry& b) { return a.seq < b.seq; });
    entries_.assign(found.begin(), found.end());
    bytes_ = 0;
    for (const Entry& e : entries_)
        bytes_ += e.size;
    // Numbers rise by one over restarts (the last one given is kept in the
    // lock file), so a subscriber can tell repeats by them; a spool folder made
    // anew starts at the milliseconds of the clock, above any earlier one's.
    char last[32] = {};
    uint64_t lastGiven = 0;
    if (::pread(lockFd_, last, sizeof last - 1, 0) > 0)
        std::sscanf(last, "%" SCNu64, &lastGiven);
    if (lastGiven == 0)
        lastGiven = uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::system_clock::now().time_since_epoch())
                                 .count());
    nextSeq_ = std::max<uint64_t>(lastGiven + 1, entries_.empty() ? 0 : entries_.back().seq + 1);
    while (bytes_ > maxBytes_ && !entries_.empty())
        dropOldest();
    return true;
}

void MessageSpool::dropOldest() {
    const Entry e = entries_.front();
    entries_.pop_front();
    bytes_ -= e.size;
    ::unlink(pathOf(e.seq).c_str());
    ++dropped_;
}

bool MessageSpool::append(const std::string& topic, const std::string& payload, std::string* why) {
    const uint64_t seq = nextSeq_++;
    const std::string data = topic + "\n" + payload;
    const std::string path = pathOf(seq);
    const std::string temporary = path + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    // On the disk before it counts as spooled: a power cut loses no message
    // the monitor has taken.
    bool ok = fd >= 0 && writeAll(fd, data) && ::fdatasync(fd) == 0;
    const int saved = errno;
    if (fd >= 0)
        ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        *why = "a message could not be spooled in " + folder_ + ": " +
               std::strerror(saved != 0 ? saved : errno);
        ::unlink(temporary.c_str());
        ++dropped_;
        return false;
    }
    entries_.push_back({seq, data.size()});
    bytes_ += data.size();
    char given[32];
    const int n = std::snprintf(given, sizeof given, "%020" PRIu64 "\n", seq);
    [[maybe_unused]] const ssize_t w = ::pwrite(lockFd_, given, size_t(n), 0);
    while (bytes_ > maxBytes_ && entries_.size() > 1)
        dropOldest();
    return true;
}

bool MessageSpool::next(uint64_t afterSeq, SpooledMessage* out) {
    for (;;) {
        const auto it = std::upper_bound(entries_.begin(), entries_.end(), afterSeq,
                                         [](uint64_t seq, const Entry& e) { return seq < e.seq; });
        if (it == entries_.end())
            return false;
        const uint64_t seq = it->seq;
        std::FILE* f = std::fopen(pathOf(seq).c_str(), "rb");
        std::string data;
        if (f != nullptr) {
            char buf[4096];
            size_t n;
            while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
                data.append(buf, n);
            std::fclose(f);
        }
        const size_t newline = data.find('\n');
        if (f == nullptr || newline == std::string::npos || newline == 0) {
            // Gone or damaged: nothing to deliver.
            remove(seq);
            ++dropped_;
            continue;
        }
        out->seq = seq;
        out->topic = data.substr(0, newline);
        out->payload = data.substr(newline + 1);
        return true;
    }
}

void MessageSpool::remove(uint64_t seq) {
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), seq,
                                     [](const Entry& e, uint64_t s) { return e.seq < s; });
    if (it == entries_.end() || it->seq != seq)
        return;
    bytes_ -= it->size;
    entries_.erase(it);
    ::unlink(pathOf(seq).c_str());
}

uint64_t MessageSpool::takeNewlyDropped() {
    const uint64_t n = dropped_ - droppedReported_;
    droppedReported_ = dropped_;
    return n;
}
