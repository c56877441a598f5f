# Runs every benchmark program once on a tiny workload; fails if any of them
# fails or prints nothing. Start-up and idle cost are taken of the reference
# program only: the game itself always claims port 7772, which tests running
# alongside must not have to share.
set(runs
  "bench_codec --kib 256 --runs 1"
  "bench_board --frames 5"
  "bench_chat --kib 16 --runs 1 --lines 20 --huge 2"
  "bench_net rtt --runs 1 --picks 6 --bots 2 --seconds 1 --pace1 0 --pace6 0-5"
  "bench_discovery rtt --runs 1 --queries 20 --bots 2"
  "bench_proc startup --runs 1"
  "bench_proc idle --runs 1 --seconds 0.2 --warmup 0"
  "bench_tables --server ${BIN}/../gloopdash-server --tables 1 --seconds 4"
  "bench_reconnect --app ${BIN}/../gloopdash --server ${BIN}/../gloopdash-server --resets 1")
# The list benchmark's stand-in table listens on every address of its port:
# only inside a network namespace of its own, and only where Redis is installed.
execute_process(COMMAND unshare -n true RESULT_VARIABLE _isolated OUTPUT_QUIET ERROR_QUIET)
if(_isolated EQUAL 0 AND EXISTS /usr/bin/redis-server)
  list(APPEND runs "bench_coordinator --tables 20 --gets 10 --seconds 1 --workers 2 --coordinator ${BIN}/../gloopdash-coordinator")
else()
  message("bench_coordinator skipped: no network namespace or no redis-server")
endif()
foreach(run IN LISTS runs)
  separate_arguments(args UNIX_COMMAND "${run}")
  list(POP_FRONT args program)
  set(wrap)
  if(program STREQUAL "bench_coordinator")
    set(wrap unshare -n sh -c "ip link set lo up && exec \"$0\" \"$@\"")
  endif()
  execute_process(COMMAND ${wrap} ${BIN}/${program} ${args}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  message("${run}\n${out}${err}")
  if(NOT rc EQUAL 0 OR out STREQUAL "")
    message(FATAL_ERROR "${program} failed (${rc})")
  endif()
endforeach()
