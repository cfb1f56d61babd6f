# SPDX-License-Identifier: MIT
# Runs one fuzz target for VOLTIVA_FUZZ_SECONDS (environment, 1 by default) within
# VOLTIVA_FUZZ_RSS_MB of memory (2048 by default): new inputs grow the build's corpus, the seeds
# in the source tree are only read, and a crashing input is kept under ARTIFACTS for replay
# (`fuzz_<target> <file>`). Every input of the corpus is run first, however long that takes; then
# libFuzzer makes new inputs until the whole second after the count has passed (1 is about two
# seconds), a check for `make test`; `make fuzz` is the search.
set(seconds 1)
if(DEFINED ENV{VOLTIVA_FUZZ_SECONDS})
    set(seconds $ENV{VOLTIVA_FUZZ_SECONDS})
endif()

set(rss 2048)
if(DEFINED ENV{VOLTIVA_FUZZ_RSS_MB})
    set(rss $ENV{VOLTIVA_FUZZ_RSS_MB})
endif()

set(options -max_total_time=${seconds} -timeout=10 -rss_limit_mb=${rss} -print_final_stats=1
    -artifact_prefix=${ARTIFACTS})
if(DICTIONARY)
    list(APPEND options -dict=${DICTIONARY})
endif()
if(MAX_LENGTH)
    list(APPEND options -max_len=${MAX_LENGTH})
endif()

execute_process(COMMAND ${FUZZER} ${options} ${CORPUS} ${SEEDS} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} broke a property (exit ${result}); the input is kept as ${ARTIFACTS}*")
endif()
