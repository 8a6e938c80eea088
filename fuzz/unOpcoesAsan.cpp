// AddressSanitizer's settings for the fuzz targets (the environment's
// ASAN_OPTIONS still come after them and win).
//
// A freed block waits in quarantine before it is used again, so that a use
// after free is caught; by default the quarantine holds 256 MB, and an input
// frees a few megabytes at most: with the default every input works on
// memory touched long ago (page faults, cache misses) and the targets ran a
// third slower. 16 MB still holds the blocks of several inputs.
//
// Every allocation records the stack that made it, and every free the one
// that freed it: a quarter of the targets' time went into walking and
// storing those stacks. A report still shows where the bad access was; the
// stacks of the block's allocation and free come when the input is run
// again with ASAN_OPTIONS=malloc_context_size=30 (ferramentas/fuzz.sh
// prints that command with each finding).
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16:malloc_context_size=0"; }
