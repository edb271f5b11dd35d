# Writes a text file with CR LF line endings for the Windows zip, so that
# Notepad shows it right: a copy of INPUT, or with MANUAL set the manual page
# INPUT rendered as plain ASCII text without hyphenation, its tables by tbl
# (groff and col of the build machine).
#   cmake -DINPUT=in -DOUTPUT=out [-DMANUAL=ON -DGROFF=groff -DCOL=col] -P windows_text.cmake
if(MANUAL)
    execute_process(
        COMMAND "${GROFF}" -t -man -rHY=0 -Tascii -P-c "${INPUT}"
        COMMAND "${COL}" -bx
        OUTPUT_VARIABLE text
        COMMAND_ERROR_IS_FATAL ANY)
else()
    file(READ "${INPUT}" text)
endif()
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUTPUT}" "${text}")
