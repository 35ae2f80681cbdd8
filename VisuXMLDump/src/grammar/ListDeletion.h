#ifndef ListDeletion_h
#define ListDeletion_h

// Deletes the records chained behind `head` one at a time, each detached
// before deletion, so that a very long list cannot exhaust the stack
// through nested destructors. `destroy` deletes one record; it is given by
// the record's class, whose destructor may be private.
template <typename Record, typename Destroy>
void DeleteListIteratively(Record*& head, Record* Record::*next,
                           Destroy destroy) {
  Record* current = head;
  head = nullptr;
  while (current != nullptr) {
    Record* const following = current->*next;
    current->*next = nullptr;
    destroy(current);
    current = following;
  }
}

#endif
