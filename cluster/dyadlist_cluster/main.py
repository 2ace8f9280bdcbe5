"""dyadlist-cluster [OPTION]... LEFT RIGHT: the run, from the command line to the counts."""

import logging
import os
import sys

from . import inputs, outputs, report
from .kernel import KERNEL_NAME
from .options import USAGE, UsageError, parse_options
from .report import PROGRAM, printable

VERSION = "0.1.0"

EXIT_COMPARED, EXIT_FAILED, EXIT_USAGE, EXIT_NOTHING_TO_COMPARE = 0, 1, 2, 3


class ClusterError(Exception):
    pass


def tell(text):
    """A message on standard error, shown so that none of its bytes acts on a terminal."""
    try:
        sys.stderr.write("".join(printable(line) + "\n" for line in text.splitlines()))
        sys.stderr.flush()
    except OSError:
        pass


def start_client(options):
    """A client of the scheduler named, or of a local cluster of worker processes."""
    import dask
    import distributed

    # Dask's own chatter stays off standard error unless something fails.
    for name in ("distributed", "dask"):
        logging.getLogger(name).setLevel(logging.CRITICAL)
    dask.config.set({"distributed.comm.timeouts.connect": "%ss" % options.timeout})
    if options.scheduler:
        try:
            client = distributed.Client(options.scheduler, timeout=options.timeout)
        except Exception as error:  # noqa: BLE001 - any failure to connect says the same
            raise ClusterError("cannot reach the scheduler at %s: %s" % (options.scheduler,
                                                                        error)) from None
        try:
            client.wait_for_workers(1, timeout=options.timeout)
        except Exception:  # noqa: BLE001
            client.close()
            raise ClusterError("the scheduler at %s has no worker" % options.scheduler) from None
        return client, None
    cluster = distributed.LocalCluster(
        n_workers=options.workers or os.cpu_count() or 1, threads_per_worker=1, processes=True,
        memory_limit=options.memory_limit or "auto", dashboard_address=None,
        silence_logs=logging.CRITICAL,
        local_directory=options.temporary_directory or None)
    return distributed.Client(cluster), cluster


def on_workers(client, options, function, *args):
    """`function(*args)` where the workers read and write files: here for a local cluster, as
    a task on the cluster otherwise (the lists must lie where the workers read them)."""
    if not options.scheduler:
        return function(*args)
    return client.submit(function, *args, pure=False).result()


def check_outputs_spare_the_lists(options, files):
    named = [(o, n) for o, n in (("--multiple-hits", options.multiple_hits_file),
                                 ("--single-hits", options.single_hits_file)) if n and n != "-"]
    for option, name in named:
        for listed in files:
            for path in listed[0]:
                if outputs.same_file(name, path):
                    raise UsageError('%s "%s" is one of the lists ("%s")' % (option, name, path))
    if len(named) == 2 and (named[0][1] == named[1][1] or
                            outputs.same_file(named[0][1], named[1][1])):
        raise UsageError("--multiple-hits and --single-hits name the same file")


def write_outputs(engine, result, options):
    """Renders the blocks on the workers and writes their texts in order: the multiple hits,
    then the single hits. Both files are made before either is written, so a bad name fails
    before the long part."""
    wanted = [(kind, blocks, name) for kind, blocks, name in (
        ("multiple", result.multiple_blocks, options.multiple_hits_file),
        ("single", result.single_blocks, options.single_hits_file)) if name]
    files = []
    try:
        for _, _, name in wanted:
            files.append(outputs.OutputFile(name))
        for (kind, blocks, _), out in zip(wanted, files):
            for future in engine.render(kind, blocks, options.line_numbers):
                out.write(future.result())
                future.release()
            out.finish()
    finally:
        for out in files:
            out.abandon()


def compare(options, program_dir):
    from .engine import ClusterComparison, default_partitions, worker_stats

    if not options.scheduler:
        files = [inputs.resolve(options.left), inputs.resolve(options.right)]
        check_outputs_spare_the_lists(options, files)
    client, cluster = start_client(options)
    try:
        import cloudpickle

        # The workers need Dask and the kernel only: our functions travel with the tasks.
        # Dask pickles by value only what comes from a module registered by its own name.
        for name, module in list(sys.modules.items()):
            if name.startswith(__package__ + ".") and module is not None:
                cloudpickle.register_pickle_by_value(module)
        if options.scheduler:
            # Relative names are the client's, wherever the workers run.
            files = [on_workers(client, options, inputs.resolve, os.path.abspath(name))
                     for name in (options.left, options.right)]
            check_outputs_spare_the_lists(options, files)
        workers = len(client.scheduler_info()["workers"]) or 1
        sizes = [inputs.list_size(f) for f in files]
        partitions = options.partitions or default_partitions(sizes, workers)
        engine = ClusterComparison(client, os.path.join(program_dir, KERNEL_NAME), files,
                                   options.block_size, partitions)
        result = engine.run()

        warnings = []
        if not options.quiet or options.json:
            for name, facts in zip((options.left, options.right), result.facts):
                warnings += report.input_warnings(name, facts)
        if not options.quiet:
            tell("".join("%s: warning: %s\n" % (PROGRAM, w) for w in warnings))
        if result.identical:
            sys.stderr.write(report.NOTHING_TO_COMPARE)
            return EXIT_NOTHING_TO_COMPARE
        if (options.multiple_hits_file not in ("", "-") and
                result.multiple_hits > options.max_multiple_hits):
            raise outputs.cannot_write(
                options.multiple_hits_file,
                "It would hold %d multiple hits, more than the limit of %d "
                "(--max-multiple-hits raises it)" % (result.multiple_hits,
                                                     options.max_multiple_hits))

        if options.parts:
            on_workers(client, options, outputs.prepare_parts_folder, options.parts)
            pending = []
            for kind, blocks in (("multiple", result.multiple_blocks),
                                 ("single", result.single_blocks)):
                names = outputs.part_names(options.parts, kind + "-hits", len(blocks))
                pending += engine.render(kind, blocks, options.line_numbers, names)
            client.gather(pending)
        write_outputs(engine, result, options)

        if options.json:
            counts = report.json_report(result.multiple_hits, result.single_hits, warnings)
        else:
            counts = report.counts_text(result.multiple_hits, result.single_hits)
        stream = sys.stderr if options.entries_to_standard_output() else sys.stdout
        stream.write(counts)
        stream.flush()
        if options.worker_stats:
            for address, stats in sorted(client.run(worker_stats).items()):
                tell("%s: worker %s (pid %d): peak %d MB, largest kernel run %d MB, spilled "
                     "%d MB" % (PROGRAM, address, stats["pid"], stats["peak"] >> 20,
                                stats["kernel"] >> 20, stats["spilled"] >> 20))
        return EXIT_COMPARED
    finally:
        client.close()
        if cluster is not None:
            cluster.close()


def main(args, program_dir):
    try:
        options = parse_options(args)
    except UsageError as error:
        tell("%s: %s" % (PROGRAM, error))
        sys.stderr.write(USAGE)
        return EXIT_USAGE
    if options.action == "help":
        sys.stdout.write(USAGE)
        return EXIT_COMPARED
    if options.action == "version":
        sys.stdout.write("%s %s\n" % (PROGRAM, VERSION))
        return EXIT_COMPARED
    try:
        return compare(options, program_dir)
    except UsageError as error:
        tell("%s: %s" % (PROGRAM, error))
        return EXIT_USAGE
    except (inputs.InputError, outputs.OutputError) as error:
        tell(str(error))
    except ClusterError as error:
        tell("%s: %s" % (PROGRAM, error))
    except KeyboardInterrupt:
        return 130
    except Exception as error:  # noqa: BLE001 - a task's failure, told as its message
        tell(_failure_text(error))
    return EXIT_FAILED


def _failure_text(error):
    """A task's failure. Our own errors come back from a worker as copies of their classes,
    so they are known by name."""
    name = type(error).__name__
    if name in ("InputError", "OutputError"):
        return str(error)
    if name == "KilledWorker":
        return ("%s: a task failed on every worker that tried it (%s); a worker's memory limit "
                "may be too low for the block size" % (PROGRAM, error))
    return "%s: %s" % (PROGRAM, str(error) or name)
