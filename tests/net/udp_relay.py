#!/usr/bin/env python3
"""A bad link between the two ends of a network duel, on loopback only: every datagram is held
75 ms +/- 10 ms each way and 2% are dropped. Bounded: it ends after --seconds at the latest.

    udp_relay.py LISTEN_PORT HOST_PORT [--seconds S] [--seed N]

The guest joins 127.0.0.1:LISTEN_PORT; the relay forwards to the host at 127.0.0.1:HOST_PORT
and back to whichever address last sent to it from the guest's side."""
import argparse
import heapq
import random
import select
import socket
import time

LOOPBACK = "127.0.0.1"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("listen_port", type=int)
    parser.add_argument("host_port", type=int)
    parser.add_argument("--seconds", type=float, default=90.0)
    parser.add_argument("--delay-ms", type=float, default=75.0)
    parser.add_argument("--jitter-ms", type=float, default=10.0)
    parser.add_argument("--drop", type=float, default=0.02)
    parser.add_argument("--seed", type=int, default=23)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    guest_side = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    guest_side.bind((LOOPBACK, args.listen_port))
    host_side = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    host_side.bind((LOOPBACK, 0))
    host = (LOOPBACK, args.host_port)
    guest = None
    due = []  # (time, order, socket, bytes, address)
    order = 0
    end = time.monotonic() + args.seconds
    while time.monotonic() < end:
        now = time.monotonic()
        while due and due[0][0] <= now:
            _, _, sock, data, address = heapq.heappop(due)
            sock.sendto(data, address)
        wait = max(0.0, min(0.005, (due[0][0] - now) if due else 0.005))
        readable, _, _ = select.select([guest_side, host_side], [], [], wait)
        for sock in readable:
            data, sender = sock.recvfrom(2048)
            if sender[0] != LOOPBACK:
                continue
            if sock is guest_side:
                guest = sender
                out, address = host_side, host
            elif guest is not None:
                out, address = guest_side, guest
            else:
                continue
            if rng.random() < args.drop:
                continue
            delay = (args.delay_ms + rng.uniform(-args.jitter_ms, args.jitter_ms)) / 1000.0
            order += 1
            heapq.heappush(due, (time.monotonic() + delay, order, out, data, address))


if __name__ == "__main__":
    main()
