// finder/ScanSession.h
// The process-wide scan session: the folder confirmed in the folder chooser, the category
// filter read from "FileFilter.xml", and the bookkeeping of a disk-engine enumeration.
#pragma once
#include <stdint.h>

#include <list>
#include <string>

#include "finder/RecoveryFilter.h"

// An object that follows an enumeration. Channels above kMaxListenerChannel are refused.
class ISessionListener {
public:
    virtual ~ISessionListener() = default;
    virtual uint32_t GetChannel() const = 0;
};
constexpr uint32_t kMaxListenerChannel = 9;

// The enumeration's worker, told by ScanSession::Notify.
class ISessionWorker {
public:
    virtual ~ISessionWorker() = default;
    virtual void OnSessionNotify() = 0;
};

// One pending request of Configure: the flag it was made with and the limit it set.
struct SessionItem {
    uint32_t flag = 0;
    uint32_t value = 0;
};

class ScanSession {
public:
    // Built on first use (reading "FileFilter.xml" beside the program); lives until exit.
    static ScanSession& Instance();

    // Takes path only when it names an existing folder by an absolute path ("X:\..." or
    // "\\server\share..."); a display name, a virtual "::{" item or a relative path is
    // refused and the folder held before is kept. True when it was taken.
    bool SetExportPath(const std::string& path);
    const std::string& GetExportPath() const { return exportPath_; }

    void ForwardToFilter(uint32_t value) { filter_.Forward(value); }
    // flag non-zero: stores limit (unless 0xFFFFFFFF), queues a request and leaves the idle
    // state. flag 0: clears requests, names, counters and status text and becomes idle.
    void Configure(uint32_t flag, uint32_t limit);
    const SessionItem* FrontItem() const;
    uint32_t FrontItemValue() const;
    void AddName(const std::string& name) { names_.push_back(name); }
    // Appends the names to destination, unless the session is busy.
    void CopyNames(std::list<std::string>& destination) const;
    void SetCallback(uint32_t first, uint32_t second);
    // 0 when added (or already there), -1 for a null listener or one on a refused channel.
    int AddListener(ISessionListener* listener);
    // 0 when removed (or not there), -1 as for AddListener.
    int RemoveListener(ISessionListener* listener);
    // -1 without a worker, else tells it and returns 0.
    int Notify();

    void SetWorker(ISessionWorker* worker) { worker_ = worker; }
    void SetBusy(bool busy) { busy_ = busy ? 1 : 0; }
    bool IsBusy() const { return busy_ != 0; }
    bool IsIdle() const { return idle_ != 0; }
    uint32_t GetLimit() const { return limit_; }
    const std::string& GetStatusText() const { return statusText_; }
    void SetStatusText(const std::string& text) { statusText_ = text; }
    const std::list<ISessionListener*>& Listeners() const { return listeners_; }
    CRecoveryFilter& GetFilter() { return filter_; }

    // Progress counters of an enumeration, zeroed by Configure with flag 0.
    struct Counters {
        uint32_t items = 0;
        uint64_t values[4] = {0, 0, 0, 0};
        uint32_t flag = 0;
    };
    Counters& GetCounters() { return counters_; }

    // A session of its own with the filter read from filterFilePath (tests).
    explicit ScanSession(const std::string& filterFilePath);
    ScanSession(const ScanSession&) = delete;
    ScanSession& operator=(const ScanSession&) = delete;

private:
    ScanSession();

    std::string exportPath_;
    std::list<ISessionListener*> listeners_;
    Counters counters_;
    uint32_t limit_ = 0;
    std::string statusText_;
    uint32_t idle_ = 0;
    std::list<SessionItem> pending_;
    std::list<std::string> names_;
    CRecoveryFilter filter_;
    uint32_t busy_ = 0;
    uint32_t callback_[2] = {0, 0};
    ISessionWorker* worker_ = nullptr;
};

// True when path names an existing folder by an absolute drive or UNC path.
bool IsExistingAbsoluteFolder(const std::string& path);
