#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A private PulseAudio server with one silent sink, on the socket given, for
# the real-sound test and the chime benchmark alike. It takes this script's
# process id, so that its caller can stop, freeze or kill it.
#   tests/support/pulseaudio.sh SOCKET
# -n: no default configuration; as root this still runs as a user daemon.
# norewinds: a sink that rewinds on each new stream takes back silence it had
# already rendered, and a recording of it loses that stretch of time.
exec pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    -L "module-null-sink sink_name=null norewinds=1" \
    -L "module-native-protocol-unix socket=$1"
