#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

// An event with listeners called in the order they were added. Adding a
// listener that is already registered moves it to the end of the list.
template <class T>
class ofEvent {
public:
    ofEvent() = default;
    ofEvent(const ofEvent&) : enabled(true) {}  // a copy starts with no listeners
    ofEvent& operator=(const ofEvent&) { return *this; }

    template <class L>
    void add(L* listener, void (L::*method)(T&)) {
        std::lock_guard<std::mutex> lock(mutex);
        removeLocked(Delegate<L>(listener, method));
        delegates.push_back(std::make_shared<Delegate<L>>(listener, method));
    }

    template <class L>
    void remove(L* listener, void (L::*method)(T&)) {
        std::lock_guard<std::mutex> lock(mutex);
        removeLocked(Delegate<L>(listener, method));
    }

    // Listeners may add or remove listeners while being called. The call runs
    // over a snapshot, so one added now waits for the next notification; one
    // removed now is skipped, as its object may already be gone.
    void notify(T& args) {
        std::vector<std::shared_ptr<DelegateBase>> snapshot;
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (!enabled) return;
            snapshot = delegates;
        }
        for (auto& d : snapshot) {
            if (!d->removed) d->call(args);
        }
    }

    void enable() {
        std::lock_guard<std::mutex> lock(mutex);
        enabled = true;
    }
    void disable() {
        std::lock_guard<std::mutex> lock(mutex);
        enabled = false;
    }
    bool isEnabled() const {
        std::lock_guard<std::mutex> lock(mutex);
        return enabled;
    }
    size_t size() const {
        std::lock_guard<std::mutex> lock(mutex);
        return delegates.size();
    }
    void clear() {
        std::lock_guard<std::mutex> lock(mutex);
        for (auto& d : delegates) d->removed = true;
        delegates.clear();
    }

private:
    struct DelegateBase {
        virtual ~DelegateBase() = default;
        virtual void call(T& args) = 0;
        virtual bool sameAs(const DelegateBase& other) const = 0;
        std::atomic<bool> removed{false};
    };

    template <class L>
    struct Delegate : DelegateBase {
        Delegate(L* l, void (L::*m)(T&)) : listener(l), method(m) {}
        void call(T& args) override { (listener->*method)(args); }
        bool sameAs(const DelegateBase& other) const override {
            auto* o = dynamic_cast<const Delegate<L>*>(&other);
            return o != nullptr && o->listener == listener && o->method == method;
        }
        L* listener;
        void (L::*method)(T&);
    };

    void removeLocked(const DelegateBase& probe) {
        for (auto it = delegates.begin(); it != delegates.end(); ++it) {
            if ((*it)->sameAs(probe)) {
                (*it)->removed = true;
                delegates.erase(it);
                return;
            }
        }
    }

    mutable std::mutex mutex;
    std::vector<std::shared_ptr<DelegateBase>> delegates;
    bool enabled = true;
};

template <class T, class L>
void ofAddListener(ofEvent<T>& event, L* listener, void (L::*method)(T&)) {
    event.add(listener, method);
}

template <class T, class L>
void ofRemoveListener(ofEvent<T>& event, L* listener, void (L::*method)(T&)) {
    event.remove(listener, method);
}

template <class T>
void ofNotifyEvent(ofEvent<T>& event, T& args) {
    event.notify(args);
}
