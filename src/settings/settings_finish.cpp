#include "settings/settings_finish.hpp"

#include <string>

#include "setup/failure.hpp"
#include "setup/format_int.hpp"

namespace korvaline {

namespace {

// A file saint makes under ./work/: the stem and a fixed suffix.
std::string work_file(const std::string& stem, const std::string& suffix) {
    return "./work/" + stem + suffix;
}

// The sort step's input from run `number`, or "$NULL" for an absent run.
std::string sort_input(const SetupRecord& record, int number) {
    const RunEntry& run = record.run(number);
    return run.is_present() ? work_file(run.base_name.trimmed(), ".raw") : "$NULL";
}

// The project name followed by the digit of the highest run found.
std::string last_run_stem(const SetupRecord& record) {
    FixedText run_digit(1);
    run_digit.assign(format_int(record.last_run, 1));
    return record.project_name.trimmed() + run_digit.trimmed();
}

// Called with saint.ini already in place: a lost message must not read as a
// lost file.
void tell_ready(Console& console) {
    console.announce("KORVALINE IS READY TO LOAD saint PROGRAM...");
    try {
        console.flush();
    } catch (const Failure& lost) {
        throw Failure(
            std::string("saint.ini has been written, but the closing message was lost: ") +
            lost.what());
    }
}

}  // namespace

void finish_settings_file(SettingsFile& file, const SetupRecord& record, Console& console) {
    write_stat_section(file, record);
    write_sort_section(file, record);
    write_filter_section(file, record);
    write_scale_section(file, record);
    write_global_section(file, record);
    file.close();
    tell_ready(console);
}

void write_stat_section(SettingsFile& file, const SetupRecord& record) {
    const std::string project = record.project_name.trimmed();
    write_section(file, "[STAT]",
                  {
                      "STATINNAME=" + work_file(project, "t.raw"),
                      "STATOUTNAME=" + work_file(project, "t._ls"),
                      "STATPOINTGP=" + record.laue_field.trimmed(),
                      "STATTITLE=Statistics from [" + project + "]",
                      "IPLOTS=1",
                      "STATLATT=" + format_int(record.centering_code, 1),
                      "STATPRNAME=" + record.p4p_name.trimmed(),
                      "STATSMAP=1",
                  });
}

void write_sort_section(SettingsFile& file, const SetupRecord& record) {
    const std::string project = record.project_name.trimmed();
    write_section(file, "[SORT]",
                  {
                      "SORTOUTNAME=" + work_file(project, "m.raw"),
                      "SORTIN01=" + sort_input(record, 1),
                      "SORTIN02=" + sort_input(record, 2),
                      "SORTIN03=" + sort_input(record, 3),
                      "SORTIN04=" + sort_input(record, 4),
                      "SORTIN05=$NULL",
                      "SORTIN06=$NULL",
                      "SORTIN07=$NULL",
                      "SORTIN08=$NULL",
                      "SORTIN09=$NULL",
                      "SORTIN10=$NULL",
                      "SORTLISTNAME=" + work_file(project, "m._ls"),
                      "SORTPOINTGP=" + record.laue_field.trimmed(),
                      "SORTTITLE=Sort [" + project + "]",
                      "MERGEONLY=0",
                      "SORTSMAP=1",
                  });
}

void write_filter_section(SettingsFile& file, const SetupRecord& record) {
    const std::string project = record.project_name.trimmed();
    write_section(file, "[FILTER]",
                  {
                      "FILTINNAME=" + work_file(project, "m.raw"),
                      "FILTOUTNAME=" + work_file(project, "f.raw"),
                      "FILTPOINTGP=" + record.laue_field.trimmed(),
                      "FILTTITLE=Filter [" + project + "]",
                      "FILTLISTNAME=" + work_file(project, "m._ls"),
                      "USEXFORM=0",
                      "FILTSMAP=1",
                      "XFORM_COMPONENT=1",
                      "HKLXFORM1=1.000",
                      "HKLXFORM2=0.000",
                      "HKLXFORM3=0.000",
                      "HKLXFORM4=0.000",
                      "HKLXFORM5=1.000",
                      "HKLXFORM6=0.000",
                      "HKLXFORM7=0.000",
                      "HKLXFORM8=0.000",
                      "HKLXFORM9=1.000",
                      "FILTOP1=EXCLUDE",
                      "FILTITEM1=BAD",
                      "FILTVAL11=5.0000000E+00",
                      "FILTVAL21=9.9000000E+01",
                      "FILTOP2=$NULL",
                      "FILTITEM2=X",
                      "FILTVAL12=0.0000000E+00",
                      "FILTVAL22=0.0000000E+00",
                      "FILTOP3=$NULL",
                      "FILTITEM3=X",
                      "FILTVAL13=0.0000000E+00",
                      "FILTVAL23=0.0000000E+00",
                      "FILTOP4=$NULL",
                      "FILTITEM4=X",
                      "FILTVAL14=0.0000000E+00",
                      "FILTVAL24=0.0000000E+00",
                      "FILTOP5=$NULL",
                      "FILTITEM5=X",
                      "FILTVAL15=0.0000000E+00",
                      "FILTVAL25=0.0000000E+00",
                      "FILTOP6=$NULL",
                      "FILTITEM6=X",
                      "FILTVAL16=0.0000000E+00",
                      "FILTVAL26=0.0000000E+00",
                      "FILTOP7=$NULL",
                      "FILTITEM7=X",
                      "FILTVAL17=0.0000000E+00",
                      "FILTVAL27=0.0000000E+00",
                      "FILTOP8=$NULL",
                      "FILTITEM8=X",
                      "FILTVAL18=0.0000000E+00",
                      "FILTVAL28=0.0000000E+00",
                  });
}

void write_scale_section(SettingsFile& file, const SetupRecord& record) {
    const std::string project = record.project_name.trimmed();
    write_section(file, "[SCALE]",
                  {
                      "SCALTITLE=Scale [" + project + "]",
                      "SCALINNAME=" + work_file(project, "m.raw"),
                      "IIOVSMIN=0.0000000E+00",
                      "IREJECT=0",
                      "IRATIOMAX=6.000",
                      "IBUNCHMAX=6.000",
                      R"(SCALOUTNAME=C:\frames\test\saintoutput\Micros.raw)",
                      "OIOVSMIN=0.0000000E+00",
                      "OREJECT=0",
                      "ORATIOMAX=6.000",
                      "OBUNCHMAX=6.000",
                      "SCALLISTNAME=" + work_file(project, "m._ls"),
                      "SCALMINRES=9999.00000",
                      "SCALMAXRES=1.00000",
                      "SCALGRID=9",
                      "REJCYCLE=1",
                      "SCALCONVERGENCE=9.9999997E-06",
                      "SCALMAXCYCLES=5",
                      "WEDGETYPE=FIXED",
                      "WEDGESIZE=10.00000",
                      "EIGENTHRESH=2.0000001E-03",
                      "EIGENAUTO=1",
                      "DECAYTYPE=0",
                      "MAXDECAY=2.0000000E-01",
                      "SCALECYCLES=ALL",
                      "BCYCLES=0",
                      "ABSCYCLES=0",
                      "DECAYCYCLES=0",
                      "RESETCYCLES=0",
                      "SCALE_WAVE=7.1073002E-01",
                  });
}

void write_global_section(SettingsFile& file, const SetupRecord& record) {
    const std::string project = record.project_name.trimmed();
    write_section(file, "[GLOBAL]",
                  {
                      "GLOBTITLE=Global cell from [" + project + "]",
                      "GLOBINNAME=" + work_file(project, "1._ma"),
                      "GLOBINP4P=" + record.laue_field.trimmed(),
                      "GLOBOUTP4P=" + work_file(project, "g.p4p"),
                      "GLOBLISTNAME=" + work_file(last_run_stem(record), "._ls"),
                      "CRYST_SYS=" + format_int(record.laue_code, 1),
                      "PAR_MASK=0",
                      "REFL_LIMIT=8192",
                      "WIDTH=0.3000",
                      "FRAMESIZE=512",
                      "RLVERR=0.0250",
                  });
}

}  // namespace korvaline
