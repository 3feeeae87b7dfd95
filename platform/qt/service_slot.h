#pragma once

// A process-wide service that has one ordinary implementation and can be
// replaced for a while, so that tests can answer a message box or a file
// dialog without anything blocking. Replacements nest: the newest wins until
// its ScopedService ends, then the one before it is back.
template <class Service>
class ServiceSlot {
  public:
    explicit ServiceSlot(Service& standard) : current_(&standard) {}

    Service& Get() const { return *current_; }

    Service* Exchange(Service* replacement) {
        Service* previous = current_;
        current_ = replacement;
        return previous;
    }

  private:
    Service* current_;
};

template <class Service>
class ScopedService {
  public:
    ScopedService(ServiceSlot<Service>& slot, Service& replacement)
        : slot_(slot), previous_(slot.Exchange(&replacement)) {}
    ~ScopedService() { slot_.Exchange(previous_); }

    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

  private:
    ServiceSlot<Service>& slot_;
    Service* previous_;
};
