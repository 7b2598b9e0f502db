#!/usr/bin/python3
"""Reads a calendar feed with python3-icalendar and expands its rules with dateutil.rrule, as a
reader independent of libical would. Prints the calendar's name, then one line per day an event
takes place between FROM and TO (both included): its title, a tab and the day.

    second_reader.py FEED.ics FROM TO      (days as YYYY-MM-DD)
"""
import datetime
import sys

from dateutil.rrule import rruleset, rrulestr
from icalendar import Calendar


def day(text):
    return datetime.date.fromisoformat(text)


def bound(day, time, zone):
    """A day and time in the zone of an event's start (naive for a start without zone)."""
    naive = datetime.datetime.combine(day, time)
    if zone is None:
        return naive
    return zone.localize(naive) if hasattr(zone, 'localize') else naive.replace(tzinfo=zone)


def main():
    path, first, last = sys.argv[1], day(sys.argv[2]), day(sys.argv[3])
    with open(path, 'rb') as f:
        calendar = Calendar.from_ical(f.read())
    print('CALNAME\t' + str(calendar.get('X-WR-CALNAME', '')))
    lines = []
    for event in calendar.walk('VEVENT'):
        title = str(event.get('SUMMARY', ''))
        start = event.decoded('DTSTART')
        end = event.decoded('DTEND') if 'DTEND' in event else start
        is_date = not isinstance(start, datetime.datetime)
        if 'RRULE' in event:
            rule = event['RRULE'].to_ical().decode()
            begin = datetime.datetime.combine(start, datetime.time()) if is_date else start
            # DTSTART is the first occurrence; RDATE adds days to the rule's.
            occurrences = rruleset()
            occurrences.rrule(rrulestr(rule, dtstart=begin))
            occurrences.rdate(begin)
            extra = event.get('RDATE', [])
            for values in extra if isinstance(extra, list) else [extra]:
                for value in values.dts:
                    when = value.dt
                    if not isinstance(when, datetime.datetime):
                        when = datetime.datetime.combine(when, datetime.time())
                    occurrences.rdate(when)
            for when in occurrences.between(bound(first, datetime.time(), begin.tzinfo),
                                            bound(last, datetime.time(23, 59, 59), begin.tzinfo),
                                            inc=True):
                lines.append(title + '\t' + when.date().isoformat())
            continue
        # A date's end is the day after its last day; a time's end lies on its last day.
        d = start if is_date else start.date()
        final = (end - datetime.timedelta(days=1)) if is_date else end.date()
        final = max(final, d)
        while d <= final:
            if first <= d <= last:
                lines.append(title + '\t' + d.isoformat())
            d += datetime.timedelta(days=1)
    for line in sorted(lines):
        print(line)


if __name__ == '__main__':
    main()
