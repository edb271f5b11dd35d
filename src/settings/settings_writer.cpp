#include "settings/settings_writer.hpp"

#include <string>

#include "settings/settings_finish.hpp"
#include "setup/format_int.hpp"

namespace korvaline {

namespace {

// The four runs' base names, run 1 with `first_prefix` and `first_suffix`;
// an absent run leaves its place between the commas empty.
std::string run_names(const SetupRecord& record, const std::string& first_prefix,
                      const std::string& first_suffix) {
    return first_prefix + record.run(1).base_name.trimmed() + first_suffix + ", " +
           record.run(2).base_name.trimmed() + ", " + record.run(3).base_name.trimmed() + ", " +
           record.run(4).base_name.trimmed();
}

std::string frame_counts(const SetupRecord& record) {
    return format_int(record.run(1).frame_count, 3) + "," +
           format_int(record.run(2).frame_count, 3) + "," +
           format_int(record.run(3).frame_count, 3) + "," +
           format_int(record.run(4).frame_count, 3);
}

}  // namespace

void write_settings_file(const SetupRecord& record, Console& console) {
    console.announce("KORVALINE IS SAVING FILE...");
    console.flush();
    SettingsFile file;
    write_saint_section(file);
    write_configure_section(file);
    write_integrate_section(file, record);
    finish_settings_file(file, record, console);
}

void write_saint_section(SettingsFile& file) {
    write_section(file, "[SAINT]",
                  {
                      "VERSION=SAINT V7.34A",
                      "NROWS=512",
                      "NCOLS=512",
                  });
}

void write_configure_section(SettingsFile& file) {
    write_section(file, "[CONFIGURE]",
                  {
                      "CFGNAME=saint.ini",
                      "AIRMU=0.0012",
                      "FACETRN=0.9770",
                      "DETTYPE=1",
                      "READNOISE=24.037",
                      "PIXPERCM=83.660",
                      "CM_TO_GRID=0.000",
                      "EPERADU=10.7000",
                      "EPERPHOTON=175.000",
                      "BIAS=16",
                      "FULLSCALE=838848",
                      "BRASS_SPACING=0.2540",
                  });
}

void write_integrate_section(SettingsFile& file, const SetupRecord& record) {
    const std::string laue_code = format_int(record.laue_code, 1);
    write_section(file, "[INTEGRATE]",
                  {
                      "TITLE=" + record.title.trimmed(),
                      "FRAMENAME=" + run_names(record, "", ".001"),
                      "PARNAME=" + record.p4p_name.trimmed(),
                      "SPANAME=$P4P",
                      "OUTNAME=" + run_names(record, "./work/", ".raw"),
                      "POINTGP=" + record.laue_field.trimmed(),
                      "IAPPEND=0",
                      "IBATNO=1",
                      "ICRYST=1",
                      "NFRAMES=" + frame_counts(record),
                      "ILATT=" + format_int(record.centering_code, 1),
                      "SMAP=1",
                      "IFIXSPOTSIZE=1",
                      "IAXIS_OVR=-9999",
                      "AMNAME=$NEW",
                      "IVERBOSITY=1",
                      "SNAPFREQ=100",
                      "TIMEOUT=0.000",
                      "EXPOSURE=0.000",
                      "STRONGTHRESH=10.000",
                      "SPOTSIZE=1.000",
                      "YSPOTSIZE=1.000",
                      "SPREAD=0.700",
                      "TTM=12.170",
                      "STARTANG1=-9999.0000",
                      "STARTANG2=-9999.0000",
                      "STARTANG3=-9999.0000",
                      "STARTANG4=-9999.0000",
                      "ANGRANGE_OVR=-9999.0000",
                      "TIME_OVR=-9999.0000",
                      "NEXP_OVR=-9999",
                      "RESMAX=0.75000",
                      "FIOVSMIN=-3.000",
                      "LSREFINE=50",
                      "MONROLL=0.000",
                      "ACTTHRESH=0.0000",
                      "ORTUPDSCALE=1.000",
                      "BGSIG=3.000",
                      "MACHINE_ERROR=0.0000",
                      "BEAM_MON=0",
                      "MON_SEPARATE=0",
                      "MAKE_PLOTS=0",
                      "PROF_LSFIT=1",
                      "LCRYST_SYS=" + laue_code,
                      "LPAR_MASK=512",
                      "GLOBAL_REF=1",
                      "GCRYST_SYS=" + laue_code,
                      "GPAR_MASK=0",
                      "BLEND=0",
                      "BGCORSCALE=0",
                      "NOCORFILT=0",
                      "KEEP_TEMP=0",
                      "NOREFCOR=0",
                      "BGQSCALE=6",
                      "PMASK_THRESH=0.050",
                      "LS_IOVS_MAX=8.0",
                      "LS_WORST_RES=9999.00000",
                      "ESD_SCALE=1.00000",
                      "GREFLIM=1024",
                      "NO_DECAY=0",
                      "NO_FULL=0",
                      "WIDE_ALGORITHM=0",
                      "ALPHA12=1",
                      "VOLTARGET=1.00000",
                      "VOLANGSTROMS=1.00000",
                      "QUEUEHALF=7",
                      "PROFXHALF=4",
                      "PROFYHALF=4",
                      "PROFZHALF=4",
                      "TWINBOXRATIO=1.80000",
                      "LORENTZ=0.0200",
                      "LORMODEL=0.0750",
                      "MAXSATIND=1",
                      "TWINSEPARATION=1.00000",
                      "TWINMINCOMVOL=0.04000",
                      "GRLVERR=0.0250",
                      "WTMETH=2",
                      "DFRAME=0",
                  });
}

}  // namespace korvaline
