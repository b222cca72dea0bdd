# Script mode: cmake -DSCDOC=PROGRAM -DINPUT=PAGE.scd -DOUTPUT=PAGE.gz -P ScdocToMan.cmake
# Writes the roff page beside OUTPUT (for `man -l`) and OUTPUT itself compressed as Debian asks:
# best compression, no file name or time stamp inside.
string(REGEX REPLACE "\\.gz$" "" roff "${OUTPUT}")
execute_process(COMMAND "${SCDOC}" INPUT_FILE "${INPUT}" OUTPUT_FILE "${roff}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE "${roff}")
  message(FATAL_ERROR "scdoc could not read ${INPUT}")
endif()
execute_process(COMMAND gzip -9n -c "${roff}" OUTPUT_FILE "${OUTPUT}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE "${OUTPUT}")
  message(FATAL_ERROR "gzip could not compress ${roff}")
endif()
