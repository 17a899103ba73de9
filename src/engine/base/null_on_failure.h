#pragma once
// Loaders promise the empty reference when a load fails. Running short of memory (or of threads) is
// such a failure: NullOnFailure runs a loader and turns what it throws into that empty reference.
#include <exception>

template <class Load>
auto NullOnFailure(Load load) noexcept -> decltype(load()) {
  try {
    return load();
  } catch (const std::exception&) {
    return nullptr;
  }
}
