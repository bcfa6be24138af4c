// The observable part of every control: an optional list of observers and a
// changed flag. Marking a control dirty sets the flag (any thread); the GUI
// tick's dirty check clears it and calls the observers (GUI thread). The
// editor registers no observers; the list is made on first registration.
#pragma once

#include <atomic>
#include <vector>

class IObserver {
 public:
  virtual ~IObserver() {}
  virtual void OnSubjectChanged() = 0;
};

class ISubject {
 public:
  ISubject() = default;
  virtual ~ISubject();
  ISubject(const ISubject&) = delete;
  ISubject& operator=(const ISubject&) = delete;

  // GUI thread, before the first tick. The observer is not owned.
  void AddObserver(IObserver* observer);
  // Any thread.
  void MarkChanged() { mChanged.store(true, std::memory_order_release); }
  // GUI thread: when the flag is set, clears it and calls every observer.
  void NotifyObservers();

 private:
  std::vector<IObserver*>* mpObservers = nullptr;  // owned; null until one is added
  std::atomic<bool> mChanged{false};
};
