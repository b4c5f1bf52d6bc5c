# A stretched band's text laid out by `etat build -o` then painted by `etat render` reads as the
# same build painted at once with --pdf: both outputs lay text out with the real fonts.
# -DETAT=etat -DTEMPLATE=file.etf -DWORK=folder -DTEXT=the text's last words
file(MAKE_DIRECTORY ${WORK})
foreach(step
        "build;${TEMPLATE};-o;${WORK}/etire.etp"
        "render;${WORK}/etire.etp;--pdf;${WORK}/rendu.pdf"
        "build;${TEMPLATE};--pdf;${WORK}/direct.pdf")
    execute_process(COMMAND ${ETAT} ${step} RESULT_VARIABLE status ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "etat ${step} : ${status}\n${errors}")
    endif()
endforeach()
foreach(pdf rendu direct)
    execute_process(COMMAND pdftotext -layout ${WORK}/${pdf}.pdf - OUTPUT_VARIABLE ${pdf}
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "pdftotext ${pdf}.pdf a échoué (${status})")
    endif()
endforeach()
if(NOT rendu STREQUAL direct)
    message(FATAL_ERROR "Le fichier préparé ne se peint pas comme la construction directe :\n"
                        "--- render ---\n${rendu}\n--- build --pdf ---\n${direct}")
endif()
string(FIND "${rendu}" "${TEXT}" position)
if(position EQUAL -1)
    message(FATAL_ERROR "« ${TEXT} » absent :\n${rendu}")
endif()
