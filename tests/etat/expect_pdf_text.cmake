# Checks that a PDF holds a text (pdftotext): -DPDF=file -DTEXT=expected.
execute_process(COMMAND pdftotext ${PDF} - OUTPUT_VARIABLE text RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "pdftotext ${PDF} a échoué (${status})")
endif()
string(FIND "${text}" "${TEXT}" position)
if(position EQUAL -1)
    message(FATAL_ERROR "« ${TEXT} » absent de ${PDF} :\n${text}")
endif()
