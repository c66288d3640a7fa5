#!/bin/bash
# A private print queue for the print tests: a CUPS scheduler of its own, with its
# configuration, spool, cache, logs and output under FOLDER and a port of its own on
# 127.0.0.1, and a cups-pdf queue that writes every job as a PDF file.
#
#   print_queue.sh run FOLDER COMMAND...  starts the scheduler, runs COMMAND with CUPS_SERVER
#                                         pointing at it, and stops the scheduler, pass or fail
#   print_queue.sh stop FOLDER            stops a scheduler a killed run left behind
#
# COMMAND sees CUPS_SERVER, CIFERON_PRINT_OUTPUT (the folder the queue writes its PDF files
# to), CIFERON_PRINT_SPOOL (where the scheduler keeps each job's document as it received it,
# d<job, five digits>-001) and CIFERON_PRINT_PPD (the queue's driver, to add more queues). The machine's own CUPS
# is left alone: its configuration is compared before and after, and its scheduler, if one
# runs, is neither started nor stopped.
#
# cups-pdf reads its settings only from /etc/cups/cups-pdf.conf, and writes to the home
# folder of the job's owner by default. The scheduler therefore runs in a mount namespace of
# its own (unshare), where a private cups-pdf.conf is bound over that one file; outside it
# the file stays as it is. cups-pdf's backend runs only as root, so the queue needs root.
set -u

fail() {
    echo "print_queue: $*" >&2
    exit 1
}

[ $# -ge 2 ] || fail "usage: print_queue.sh run FOLDER COMMAND... | stop FOLDER"
action=$1
folder=$(realpath -m "$2")
shift 2

# The scheduler started from FOLDER, if it still runs.
our_scheduler() {
    local pid
    pid=$(cat "$folder/cupsd.pid" 2>/dev/null) || return 1
    [ -n "$pid" ] && [ "$(ps -o comm= -p "$pid" 2>/dev/null)" = cupsd ] &&
        grep -qF -- "$folder/etc/cupsd.conf" "/proc/$pid/cmdline" 2>/dev/null && echo "$pid"
}

stop() {
    local pid
    if pid=$(our_scheduler); then
        kill "$pid"
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$pid" 2>/dev/null && kill -KILL "$pid"
    fi
    rm -f "$folder/cupsd.pid"
}

# The machine's schedulers, by process id: those not started, as ours are, with a
# configuration of their own outside /etc/cups (another build's print tests may run at once).
machine_schedulers() {
    local pid
    for pid in $(pgrep -x cupsd); do
        tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | grep -q '^-c$' &&
            ! tr '\0' '\n' <"/proc/$pid/cmdline" | grep -qx '/etc/cups/cupsd.conf' && continue
        echo -n "$pid "
    done
}

# The machine's CUPS configuration, as names and contents.
machine_config() {
    [ -d /etc/cups ] || return 0
    find /etc/cups -printf '%p %m %s\n' | sort
    find /etc/cups -type f -exec sha256sum {} + 2>/dev/null | sort
}

case $action in
    stop)
        stop
        exit 0
        ;;
    run) [ $# -ge 1 ] || fail "run needs a command" ;;
    *) fail "unknown action $action" ;;
esac

[ "$(id -u)" = 0 ] || fail "CUPS cannot start here: the cups-pdf queue needs root (its backend runs only as root)"
for tool in cupsd lpadmin lpstat ipptool unshare; do
    command -v "$tool" >/dev/null || PATH=$PATH:/usr/sbin:/sbin
    command -v "$tool" >/dev/null ||
        fail "CUPS cannot start here: $tool is missing (make test installs cups, printer-driver-cups-pdf and cups-ipp-utils)"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || fail "CUPS cannot start here: the cups-pdf backend is missing"
[ -f /etc/cups/cups-pdf.conf ] || fail "CUPS cannot start here: /etc/cups/cups-pdf.conf is missing"
ppd_source=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$ppd_source" ] || fail "CUPS cannot start here: $ppd_source is missing"

stop
rm -rf "$folder"
mkdir -p "$folder"/{etc/ppd,spool/tmp,cache,state,log,output,cups-pdf-spool,gs-tmp} ||
    fail "cannot make $folder"
# The scheduler runs filters as lp, which reads the spool and writes the output.
chmod 755 "$folder" "$folder"/etc
chmod 1777 "$folder/output" "$folder/cups-pdf-spool" "$folder/gs-tmp" "$folder/spool/tmp"

config_before=$(machine_config)
schedulers_before=$(machine_schedulers)

# A free port: the first of a few random ones that nothing listens on (as ss sees; where it
# is missing, the scheduler's start tells).
port=
for _ in $(seq 20); do
    candidate=$((20000 + RANDOM % 40000))
    if ! { command -v ss >/dev/null && ss -Hltn "sport = :$candidate" | grep -q .; }; then
        port=$candidate
        break
    fi
done
[ -n "$port" ] || fail "CUPS cannot start here: no free port found"

cat >"$folder/etc/cupsd.conf" <<EOF
Listen 127.0.0.1:$port
Listen $folder/cups.sock
ServerName 127.0.0.1
Browsing No
BrowseLocalProtocols none
DefaultAuthType None
DefaultEncryption Never
LogLevel info
MaxLogSize 0
WebInterface No
# The document of every job stays in the spool, as the scheduler received it.
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow from 127.0.0.1
  Allow from @LOCAL
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
cat >"$folder/etc/cups-files.conf" <<EOF
ServerRoot $folder/etc
RequestRoot $folder/spool
TempDir $folder/spool/tmp
CacheDir $folder/cache
StateDir $folder/state
AccessLog $folder/log/access_log
ErrorLog $folder/log/error_log
PageLog $folder/log/page_log
SystemGroup root
User lp
Group lp
EOF
# Every job as job_ID-TITLE.pdf in the output folder, whoever sent it.
cat >"$folder/cups-pdf.conf" <<EOF
Out $folder/output
AnonDirName $folder/output
Spool $folder/cups-pdf-spool
GSTmp $folder/gs-tmp
Log $folder/log
Label 1
UserUMask 0022
EOF
# The queue's driver: cups-pdf's, offering both sides of the paper as a printer that can
# would, so that the print dialog lets the teacher choose. cups-pdf writes every page alike.
ppd=$folder/CUPS-PDF-duplex.ppd
{
    sed '/^\*OpenUI \*PageSize/,$d' "$ppd_source"
    cat <<'EOF'
*OpenUI *Duplex/2-Sided Printing: PickOne
*OrderDependency: 10 AnySetup *Duplex
*DefaultDuplex: None
*Duplex None/Off: "<</Duplex false>>setpagedevice"
*Duplex DuplexNoTumble/Long Edge: "<</Duplex true/Tumble false>>setpagedevice"
*Duplex DuplexTumble/Short Edge: "<</Duplex true/Tumble true>>setpagedevice"
*CloseUI: *Duplex
EOF
    sed -n '/^\*OpenUI \*PageSize/,$p' "$ppd_source"
} >"$ppd"

# The scheduler in its own mount namespace, with the private cups-pdf.conf bound over the
# machine's. exec keeps one process id from unshare to cupsd.
# shellcheck disable=SC2016 # expanded by the inner shell
unshare --mount --propagation private sh -c \
    'mount --bind "$1" /etc/cups/cups-pdf.conf && exec cupsd -f -c "$2" -s "$3"' \
    sh "$folder/cups-pdf.conf" "$folder/etc/cupsd.conf" "$folder/etc/cups-files.conf" \
    >"$folder/log/cupsd.out" 2>&1 &
echo $! >"$folder/cupsd.pid"
trap 'stop' EXIT
trap 'exit 1' INT TERM HUP

export CUPS_SERVER=127.0.0.1:$port
for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q "scheduler is running" && break
    if ! kill -0 "$(cat "$folder/cupsd.pid")" 2>/dev/null; then
        cat "$folder/log/cupsd.out" "$folder/log/error_log" >&2 2>/dev/null
        fail "CUPS cannot start here: the private cupsd ended (logs in $folder/log)"
    fi
    sleep 0.1
done
lpstat -r 2>/dev/null | grep -q "scheduler is running" ||
    fail "CUPS cannot start here: the private cupsd does not answer on $CUPS_SERVER"
lpadmin -p PDF -v cups-pdf:/ -P "$ppd" -E || fail "cannot add the queue PDF"
lpadmin -d PDF || fail "cannot make PDF the default queue"
echo "print_queue: cupsd on $CUPS_SERVER, queue PDF writing to $folder/output"

export CIFERON_PRINT_OUTPUT=$folder/output CIFERON_PRINT_SPOOL=$folder/spool CIFERON_PRINT_PPD=$ppd
"$@"
status=$?

stop
trap - EXIT
if [ "$(machine_config)" != "$config_before" ]; then
    echo "print_queue: the machine's CUPS configuration in /etc/cups changed" >&2
    status=1
fi
if [ "$(machine_schedulers)" != "$schedulers_before" ]; then
    echo "print_queue: the machine's cupsd was started or stopped:" \
        "before [$schedulers_before], after [$(machine_schedulers)]" >&2
    status=1
fi
exit $status
