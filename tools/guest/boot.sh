#!/bin/sh
# The guest's first process: mounts the system's file systems and the shared
# project folder, then hands over to the project's own init script there, so
# that the guest's work can change without a new image. The kernel passes
# kve_root, kve_jobs and kve_idle from its command line.
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sys /sys
mountpoint -q /dev || mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs shm /dev/shm
modprobe 9pnet_virtio
modprobe 9p
mkdir -p "$kve_root"
# Wine maps the programs it runs into memory: without a cache for mapped
# files, the guest's 9p client hands it pages that fault.
mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144,cache=mmap kve "$kve_root" || exec sh
exec /bin/bash "$kve_root/tools/guest/init.sh"
