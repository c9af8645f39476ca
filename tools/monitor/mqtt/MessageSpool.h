#pragma once
// The status and health messages on their way to the broker, on disk: each
// one a small file named by its sequence number, written whole (temporary
// file, then rename) before it is handed to the broker and removed once the
// broker acknowledged it. So a broker that cannot be reached, a broken
// network and a restart of the monitor lose nothing, and what waits goes out
// in order with its original times.
//
// Bounded: beyond `maxBytes` the oldest messages are dropped and counted. One
// monitor per folder (a lock file, which also keeps the last number given);
// plain C++, used by one thread.

#include <cstdint>
#include <deque>
#include <string>

struct SpooledMessage {
    uint64_t seq = 0;
    std::string topic;
    std::string payload;
};

class MessageSpool {
public:
    MessageSpool() = default;
    ~MessageSpool();
    MessageSpool(const MessageSpool&) = delete;
    MessageSpool& operator=(const MessageSpool&) = delete;

    // Creates the folder when needed, takes its lock and finds what an earlier
    // run left. False with the reason.
    bool open(const std::string& folder, uint64_t maxBytes, std::string* why);

    // The sequence number the next message gets.
    uint64_t nextSeq() const { return nextSeq_; }

    // Writes the message; false with the reason when the disk refuses it (the
    // message is then lost, and counted).
    bool append(const std::string& topic, const std::string& payload, std::string* why);

    // Messages waiting, oldest first; `afterSeq` skips those already handed on.
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    uint64_t bytes() const { return bytes_; }
    // The oldest waiting message with a sequence number above `afterSeq`;
    // false when there is none or it cannot be read (it is then dropped).
    bool next(uint64_t afterSeq, SpooledMessage* out);
    // The broker has it.
    void remove(uint64_t seq);

    // Messages dropped because the spool was full or the disk refused them,
    // since open(); takeNewlyDropped() returns those since its last call.
    uint64_t dropped() const { return dropped_; }
    uint64_t takeNewlyDropped();

private:
    struct Entry {
        uint64_t seq;
        uint64_t size;
    };
    std::string pathOf(uint64_t seq) const;
    void dropOldest();

    std::string folder_;
    int lockFd_ = -1;
    uint64_t maxBytes_ = 0;
    uint64_t nextSeq_ = 1;
    uint64_t bytes_ = 0;
    std::deque<Entry> entries_;
    uint64_t dropped_ = 0;
    uint64_t droppedReported_ = 0;
};
