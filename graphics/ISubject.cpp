#include "ISubject.h"

ISubject::~ISubject() {
  delete mpObservers;
}

void ISubject::AddObserver(IObserver* observer) {
  if (!observer) return;
  if (!mpObservers) mpObservers = new std::vector<IObserver*>;
  mpObservers->push_back(observer);
}

void ISubject::NotifyObservers() {
  if (!mpObservers || !mChanged.exchange(false, std::memory_order_acquire)) return;
  for (IObserver* observer : *mpObservers) observer->OnSubjectChanged();
}
