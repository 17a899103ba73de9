#pragma once
// This test program's own operator new, which can be told to fail one allocation: the n-th from now
// (counting every thread), as running out of memory would.

// Makes the allocation `n` allocations from now (0: the very next) throw std::bad_alloc, once.
void FailAllocationAfter(long n);
// Stops counting; returns true if the armed failure happened.
bool Disarm();
