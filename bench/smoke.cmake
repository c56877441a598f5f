# Runs every benchmark program once on a tiny workload; fails if any of them
# fails or prints nothing. Start-up and idle cost are taken of the reference
# program only: the game itself always claims port 7772, which tests running
# alongside must not have to share. The busy tables are timed for 2 s: their
# bench player picks at a person's pace, up to 1.5 s apart.
set(runs
  "bench_codec --kib 256 --runs 1"
  "bench_board --frames 5"
  "bench_chat --kib 16 --runs 1 --lines 20 --huge 2"
  "bench_net rtt --runs 1 --picks 6 --bots 2 --seconds 1 --pace1 0 --pace6 0-5"
  "bench_proc startup --runs 1"
  "bench_proc idle --runs 1 --seconds 0.2 --warmup 0"
  "bench_tables --server ${BIN}/../gloopdash-server --tables 1 --seconds 2")
foreach(run IN LISTS runs)
  separate_arguments(args UNIX_COMMAND "${run}")
  list(POP_FRONT args program)
  execute_process(COMMAND ${BIN}/${program} ${args}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  message("${run}\n${out}${err}")
  if(NOT rc EQUAL 0 OR out STREQUAL "")
    message(FATAL_ERROR "${program} failed (${rc})")
  endif()
endforeach()
