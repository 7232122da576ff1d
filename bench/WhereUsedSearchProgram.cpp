// The where-used program's search as a program of its own, for the benchmark
// that sets its whole process beside grep's: it reads the where-used file,
// scans it as the results dialog does and writes the number of hits.
// Arguments: the file, the text, key and block lengths, the flag columns and
// the search text (upper-cased, as the search dialog does without case).
#include <cstdio>
#include <cstdlib>

#include "mfc/CString.h"
#include "whereused/WhereUsedFile.h"

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr, "whereused_search file textlen keylen blocklen columns text\n");
    return 2;
  }
  const WhereUsedGeometry geometry{std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5])};
  CString pattern(argv[6]);
  pattern.MakeUpper();
  WhereUsedFile file(geometry);
  WhereUsedHits hits(geometry);
  if (file.Search(argv[1], {pattern, false, 0}, hits) != WhereUsedFile::Status::ok) return 1;
  std::printf("%d\n", hits.Count());
  return 0;
}
