// finder/ScanSession.cpp
#include "finder/ScanSession.h"

#include <algorithm>

ScanSession& ScanSession::Instance()
{
    static ScanSession session;
    return session;
}

ScanSession::ScanSession() = default;

ScanSession::ScanSession(const std::string& filterFilePath) : filter_(filterFilePath) {}

bool ScanSession::SetExportPath(const std::string& path)
{
    if (!IsExistingAbsoluteFolder(path))
        return false;
    exportPath_ = path;
    return true;
}

void ScanSession::Configure(uint32_t flag, uint32_t limit)
{
    if (flag != 0) {
        if (limit < 0xFFFFFFFF)
            limit_ = limit;
        pending_.push_back(SessionItem{flag, limit_});
        idle_ = 0;
        return;
    }
    pending_.clear();
    names_.clear();
    counters_ = Counters();
    idle_ = 1;
    statusText_.clear();
}

const SessionItem* ScanSession::FrontItem() const
{
    return pending_.empty() ? nullptr : &pending_.front();
}

uint32_t ScanSession::FrontItemValue() const
{
    return pending_.empty() ? 0 : pending_.front().value;
}

void ScanSession::CopyNames(std::list<std::string>& destination) const
{
    if (busy_)
        return;
    destination.insert(destination.end(), names_.begin(), names_.end());
}

void ScanSession::SetCallback(uint32_t first, uint32_t second)
{
    callback_[0] = first;
    callback_[1] = second;
}

int ScanSession::AddListener(ISessionListener* listener)
{
    if (!listener || listener->GetChannel() > kMaxListenerChannel)
        return -1;
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
    return 0;
}

int ScanSession::RemoveListener(ISessionListener* listener)
{
    if (!listener || listener->GetChannel() > kMaxListenerChannel)
        return -1;
    listeners_.remove(listener);
    return 0;
}

int ScanSession::Notify()
{
    if (!worker_)
        return -1;
    worker_->OnSessionNotify();
    return 0;
}
