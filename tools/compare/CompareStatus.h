#ifndef CompareStatus_h
#define CompareStatus_h

// Exit statuses of visuxml-compare, as diff has them.
enum CompareStatus {
  CompareSame = 0,
  CompareDifferent = 1,
  CompareTrouble = 2
};

#endif
