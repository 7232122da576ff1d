// Benchmarks that set our code beside a peer doing the same work on the same
// input. A pairing names the two benchmarks; after the run, the ratio of our
// time to the peer's is printed below the table. Both times are real times
// per iteration; a peer that runs as a program of its own reports its
// processor time as manual time (a child's time is in no column of ours).
#pragma once

#include <initializer_list>
#include <string>

namespace bench {

// Registers a pairing by the function names of the two benchmarks; returns
// true, so that a pairing can be registered by a namespace-scope constant.
bool Pair(const std::string& what, const std::string& ours, const std::string& peer);

// The processor time (user and system) that a program took, run with its
// arguments and its output thrown away (or written to the file output
// names); a negative value when it did not run or failed.
double ProgramSeconds(const char* program, const std::initializer_list<std::string>& arguments,
                      const std::string& output = "");

}  // namespace bench
